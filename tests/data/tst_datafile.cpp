// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TestPaths.h"
#include "data/DataFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <unistd.h>

using DataFile::CellRow;
using DataFile::ReadStatus;

Q_DECLARE_METATYPE(ReadStatus)

namespace {

QString fixture(const QString &name)
{
    return TestPaths::sourceDir() + QStringLiteral("/tests/data/fixtures/")
           + name;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The twelve months of the example place, January first.
std::vector<CellRow> exampleRows()
{
    const char *temps[] = {"26.1", "26", "25.8", "25.2", "24.3", "23.5",
                           "23.1", "23.9", "24.8", "25.6", "25.9", "26"};
    const char *ppts[] = {"210", "245", "260", "190", "110", "60",
                          "45", "40", "70", "120", "160", "190"};
    std::vector<CellRow> rows;
    for (int m = 0; m < 12; ++m)
        rows.emplace_back(QString::fromLatin1(temps[m]), QString::fromLatin1(ppts[m]));
    return rows;
}

const QByteArray examplePairs = "(26.1;210),(26;245),(25.8;260),(25.2;190),(24.3;110),(23.5;60),"
                                "(23.1;45),(23.9;40),(24.8;70),(25.6;120),(25.9;160),(26;190),"
                                "(13;0)";

// The whole file the editor writes for the example months under `name`.
QByteArray exampleFile(const QByteArray &name)
{
    return '"' + name + "\",\"" + examplePairs + "\"\r\n";
}

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale brazilian(QLocale::Portuguese, QLocale::Brazil);

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // Every case writes into a fresh folder of its own.
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void readFixture_data();
    void readFixture();
    void failureKeepsWhatWasRead();
    void edgesOfTheInput_data();
    void edgesOfTheInput();
    void everyFixtureReadsCleanly();
    void numbersReadAlikeInEveryLocale_data();
    void numbersReadAlikeInEveryLocale();
    void pathsThatAreNotDataFiles();
    void largeFiles();

    void bytesWritten_data();
    void bytesWritten();
    void roundTrip_data();
    void roundTrip();
    void writeReplacesAnExistingFile();
    void failedSaveLeavesOldFileIntact();

private:
    std::optional<QTemporaryDir> m_dir;
};

void TestDataFile::initTestCase()
{
    QVERIFY2(QFile::exists(fixture(QStringLiteral("empty.tvr"))),
             "the source tree's test fixtures are missing");
}

void TestDataFile::readFixture_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("comma");           // read under pt_BR instead of en_US
    QTest::addColumn<ReadStatus>("status");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("firstTemp");     // month 1, when pairs > 0
    QTest::addColumn<double>("firstPpt");
    QTest::addColumn<double>("lastTemp");      // month `pairs`
    QTest::addColumn<double>("lastPpt");

    const QString site = QStringLiteral("Sample Site");
    const QString saoPaulo = QString::fromUtf8("S\u00e3o Paulo \u2013 Mirante");
    // A clean read of the twelve example months.
    const auto twelve = [](const char *row, const char *file, const QString &name,
                           bool comma = false) {
        QTest::newRow(row) << QString::fromLatin1(file) << comma << ReadStatus::Ok << 12 << name
                           << 26.1 << 210.0 << 26.0 << 190.0;
    };
    const auto noPairs = [](const char *row, const char *file, ReadStatus status,
                            const QString &name) {
        QTest::newRow(row) << QString::fromLatin1(file) << false << status << 0 << name << 0.0
                           << 0.0 << 0.0 << 0.0;
    };
    twelve("twelve months and closing pair", "example_twelve_months.tvr", site);
    noPairs("empty file", "empty.tvr", ReadStatus::MissingField, "");
    noPairs("only the first field", "only_first_field.tvr", ReadStatus::MissingField,
            "Lonely Place");
    noPairs("first field and a comma at the end", "only_first_field_and_comma.tvr",
            ReadStatus::MissingField, "Lonely Place");
    noPairs("empty pair list", "no_pairs.tvr", ReadStatus::Ok, "Nothing Yet");
    QTest::newRow("pair without semicolon")
        << "pair_without_semicolon.tvr" << false << ReadStatus::PairWithoutSemicolon << 2
        << "No Semicolon" << 1.0 << 10.0 << 2.0 << 20.0;
    QTest::newRow("temperature not a number")
        << "temperature_not_a_number.tvr" << false << ReadStatus::BadNumber << 2 << "Bad Number"
        << 1.0 << 10.0 << 2.0 << 20.0;
    QTest::newRow("empty temperature")
        << "temperature_empty.tvr" << false << ReadStatus::BadNumber << 2 << "Empty Temperature"
        << 1.0 << 10.0 << 2.0 << 20.0;
    QTest::newRow("empty precipitation")
        << "precipitation_empty.tvr" << false << ReadStatus::BadNumber << 1
        << "Empty Precipitation" << 1.0 << 10.0 << 1.0 << 10.0;
    QTest::newRow("eleven pairs and closing pair")
        << "eleven_pairs.tvr" << false << ReadStatus::Ok << 11 << "Eleven"
        << 26.1 << 210.0 << 25.9 << 160.0;
    QTest::newRow("twelve pairs without closing pair loses December")
        << "twelve_pairs_no_closing.tvr" << false << ReadStatus::Ok << 11 << "No Closing Pair"
        << 26.1 << 210.0 << 25.9 << 160.0;
    twelve("twenty pairs: the first twelve", "twenty_pairs.tvr", "Twenty");
    twelve("blanks around numbers", "blanks_around_numbers.tvr", "Blanks");
    twelve("fields on two lines", "fields_on_two_lines.tvr", "Two Lines");
    twelve("line feeds only", "lf_line_ends.tvr", "LF Only");
    twelve("unquoted name trimmed, text after a quoted field skipped", "fields_unquoted.tvr",
           "Unquoted Place");
    noPairs("unquoted pair list ends at its first comma", "pair_list_unquoted.tvr",
            ReadStatus::Ok, "Unquoted List");
    twelve("name with commas, semicolons, parentheses", "name_with_punctuation.tvr",
           "Rio (RJ), Brasil; 1961-1990");
    twelve("name in Windows-1252", "name_cp1252.tvr", saoPaulo);
    twelve("name in UTF-8", "name_utf8.tvr", saoPaulo);
    twelve("UTF-8 byte-order mark", "name_utf8_bom.tvr", "Byte Order Mark");
    twelve("comma decimals under pt_BR", "comma_decimals.tvr", "Comma Decimals", true);
    twelve("comma decimals under en_US", "comma_decimals.tvr", "Comma Decimals");
    twelve("point decimals under pt_BR", "example_twelve_months.tvr", site, true);
    // The first line break ends an unquoted name; two bytes follow before the
    // next line end and hold no "),(": a clean read of no pairs.
    noPairs("binary bytes", "binary_garbage.tvr", ReadStatus::Ok,
            QString::fromLatin1("\x00\x01\x02\x03\x04\x05\x06\x07\x08", 9));
}

void TestDataFile::readFixture()
{
    QFETCH(QString, file);
    QFETCH(bool, comma);
    QFETCH(ReadStatus, status);
    QFETCH(int, pairs);
    QFETCH(QString, name);
    QFETCH(double, firstTemp);
    QFETCH(double, firstPpt);
    QFETCH(double, lastTemp);
    QFETCH(double, lastPpt);

    const DataFile::ReadResult result = DataFile::readDataFile(fixture(file),
                                                               comma ? brazilian : english);
    QCOMPARE(result.status, status);
    QCOMPARE(result.ok(), status == ReadStatus::Ok);
    QCOMPARE(result.pairCount, pairs);
    QCOMPARE(result.data.name, name);
    if (pairs > 0) {
        QCOMPARE(result.data.temp[1], firstTemp);
        QCOMPARE(result.data.ppt[1], firstPpt);
        QCOMPARE(result.data.temp[pairs], lastTemp);
        QCOMPARE(result.data.ppt[pairs], lastPpt);
    }
    for (int month = pairs + 1; month <= 12; ++month)
        QCOMPARE(result.data.temp[month], 0.0);
    QVERIFY(status == ReadStatus::Ok || !result.message.isEmpty());
}

// The main window keeps the months stored before a failure, and the
// precipitation of the failing pair when only its temperature was bad.
void TestDataFile::failureKeepsWhatWasRead()
{
    const DataFile::ReadResult badTemp =
        DataFile::readDataFile(fixture(QStringLiteral("temperature_empty.tvr")), english);
    QCOMPARE(badTemp.pairCount, 2);
    QCOMPARE(badTemp.pptCount, 3);
    QCOMPARE(badTemp.data.ppt[3], 30.0);
    QCOMPARE(badTemp.data.temp[3], 0.0);

    const DataFile::ReadResult badPpt =
        DataFile::readDataFile(fixture(QStringLiteral("precipitation_empty.tvr")), english);
    QCOMPARE(badPpt.pairCount, 1);
    QCOMPARE(badPpt.pptCount, 1);
    QCOMPARE(badPpt.data.ppt[2], 0.0);
}

// Inputs that end at every awkward place: each must give a clean result
// without reading past the end (the sanitizer builds check the latter).
void TestDataFile::edgesOfTheInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ReadStatus>("status");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<double>("firstTemp");

    const auto row = [](const char *name, const QByteArray &bytes, ReadStatus status,
                        int pairs = 0, double firstTemp = 0.0) {
        QTest::newRow(name) << bytes << status << pairs << firstTemp;
    };
    row("lone quote", "\"", ReadStatus::MissingField);
    row("unclosed name", "\"a,b", ReadStatus::MissingField);
    row("lone comma", ",", ReadStatus::MissingField);
    row("lone line end", "\r\n", ReadStatus::MissingField);
    row("blanks", " \t ", ReadStatus::MissingField);
    row("second field opened", "\"a\",\"", ReadStatus::Ok);
    row("parenthesis", "\"a\",\"(", ReadStatus::Ok);
    row("joint is dropped first", "\"a\",\"),(", ReadStatus::Ok);
    row("empty pair", "\"a\",\"(),(", ReadStatus::PairWithoutSemicolon);
    row("semicolon only", "\"a\",\"(;),(", ReadStatus::BadNumber);
    row("one pair, unclosed list", "\"a\",\"(1;2),(", ReadStatus::Ok, 1, 1.0);
    row("first character never examined", "\"a\",\"x7;2),(13;0)\"", ReadStatus::Ok, 1, 7.0);
    row("empty second field", "\"a\",,\"(1;2),(13;0)\"", ReadStatus::Ok);
    row("empty line between fields", "\"a\"\r\n\r\n\"(1;2),(13;0)\"", ReadStatus::Ok);
    row("NUL bytes", QByteArray("\"a\0b\",\"(1;\0),(13;0)\"", 20), ReadStatus::BadNumber);
}

void TestDataFile::edgesOfTheInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ReadStatus, status);
    QFETCH(int, pairs);
    QFETCH(double, firstTemp);

    // A copy without spare capacity, so reading one byte too far leaves the
    // allocation.
    const QByteArray exact(bytes.constData(), bytes.size());
    const DataFile::ReadResult result = DataFile::parseDataFile(exact, english);
    QCOMPARE(result.status, status);
    QCOMPARE(result.pairCount, pairs);
    QCOMPARE(result.data.temp[1], firstTemp);
}

// Every fixture, including the inputs the fuzzer once found troublesome
// (fuzz_regression_*.tvr), reads to a consistent result under both locales.
void TestDataFile::everyFixtureReadsCleanly()
{
    const QDir fixtures(fixture(QString()));
    const QStringList files = fixtures.entryList({QStringLiteral("*.tvr")}, QDir::Files);
    QVERIFY(files.size() >= 20);
    for (const QString &file : files) {
        for (const QLocale &locale : {english, brazilian}) {
            const DataFile::ReadResult result =
                DataFile::readDataFile(fixtures.filePath(file), locale);
            QVERIFY2(result.pairCount >= 0 && result.pairCount <= 12, qPrintable(file));
            QVERIFY2(result.pptCount == result.pairCount
                         || (!result.ok() && result.pptCount == result.pairCount + 1),
                     qPrintable(file));
            QVERIFY2(result.ok() || !result.message.isEmpty(), qPrintable(file));
        }
    }
}

// A file means the same on every computer: "." and "," both mark the
// decimals, whatever the reader's locale.
void TestDataFile::numbersReadAlikeInEveryLocale_data()
{
    QTest::addColumn<QByteArray>("number");
    QTest::addColumn<double>("value");

    QTest::newRow("point") << QByteArray("12.5") << 12.5;
    QTest::newRow("comma") << QByteArray("12,5") << 12.5;
    QTest::newRow("negative point") << QByteArray("-6.2") << -6.2;
    QTest::newRow("negative comma") << QByteArray("-6,20") << -6.2;
    QTest::newRow("one separator, three digits") << QByteArray("1.234") << 1.234;
    QTest::newRow("exponent") << QByteArray("-1E-2") << -0.01;
    QTest::newRow("comma and exponent") << QByteArray("2,5E-2") << 0.025;
    QTest::newRow("points group, comma last") << QByteArray("1.234,5") << 1234.5;
    QTest::newRow("commas group, point last") << QByteArray("1,234.5") << 1234.5;
    QTest::newRow("repeated separator groups") << QByteArray("1,234,567") << 1234567.0;
}

void TestDataFile::numbersReadAlikeInEveryLocale()
{
    QFETCH(QByteArray, number);
    QFETCH(double, value);

    const QByteArray line = "\"X\",\"(" + number + ";" + number + "),(13;0)\"\r\n";
    for (const QLocale &locale : {english, brazilian, QLocale(QLocale::German, QLocale::Germany)}) {
        const DataFile::ReadResult read = DataFile::parseDataFile(line, locale);
        QVERIFY2(read.ok(), qPrintable(locale.name()));
        QCOMPARE(read.data.temp[1], value);
        QCOMPARE(read.data.ppt[1], value);
        // The default argument is the user's locale.
        QLocale::setDefault(locale);
        QCOMPARE(DataFile::parseDataFile(line).data.temp[1], value);
    }
    QLocale::setDefault(QLocale::c());

    // A separator after the exponent is no number in any locale.
    QCOMPARE(DataFile::parseDataFile("\"X\",\"(1E2,5;0),(13;0)\"", english).status, ReadStatus::BadNumber);
}

void TestDataFile::pathsThatAreNotDataFiles()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.tvr")));

    const QStringList paths = {QString(), m_dir->filePath(QStringLiteral("missing.tvr")),
                               m_dir->filePath(QStringLiteral("folder.tvr")), m_dir->path(),
                               QStringLiteral("/dev/null"), QStringLiteral("/dev/zero")};
    for (const QString &path : paths) {
        const DataFile::ReadResult result = DataFile::readDataFile(path, english);
        QVERIFY2(result.status == ReadStatus::CannotOpen, qPrintable(path));
        QCOMPARE(result.pairCount, 0);
        QVERIFY(!result.message.isEmpty());
    }
}

// A data file is one short line; a large file is refused without being read
// into memory whole, and a file just within the limit still reads.
void TestDataFile::largeFiles()
{

    const QString huge = m_dir->filePath(QStringLiteral("fifty_megabytes.tvr"));
    {
        QFile file(huge);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(exampleFile("Huge")) > 0);
        const QByteArray block(1024 * 1024, 'x');
        for (int i = 0; i < 50; ++i)
            QCOMPARE(file.write(block), block.size());
    }
    const DataFile::ReadResult tooLarge = DataFile::readDataFile(huge, english);
    QCOMPARE(tooLarge.status, ReadStatus::CannotOpen);
    QCOMPARE(tooLarge.pairCount, 0);

    // Just under one mebibyte: the twelfth pair is followed by a closing pair
    // padded with blanks.
    const QString large = m_dir->filePath(QStringLiteral("almost_a_mebibyte.tvr"));
    QByteArray bytes = "\"Padded\",\"" + examplePairs;
    bytes.chop(1);
    bytes += QByteArray(1024 * 1024 - bytes.size() - 4, ' ') + ")\"\r\n";
    QCOMPARE(bytes.size(), 1024 * 1024);
    QVERIFY(writeBytes(large, bytes));
    const DataFile::ReadResult padded = DataFile::readDataFile(large, english);
    QVERIFY2(padded.ok(), qPrintable(padded.message));
    QCOMPARE(padded.pairCount, 12);
    QCOMPARE(padded.data.ppt[12], 190.0);

    QVERIFY(writeBytes(large, bytes + ' '));
    QCOMPARE(DataFile::readDataFile(large, english).status, ReadStatus::CannotOpen);
}

void TestDataFile::bytesWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::vector<CellRow>>("rows");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("twelve months") << "Sample Site" << exampleRows() << exampleFile("Sample Site");
    QTest::newRow("empty name becomes Tervalo") << "" << exampleRows() << exampleFile("Tervalo");

    std::vector<CellRow> emptyCells = exampleRows();
    emptyCells[0].second.clear();   // precipitation → "0"
    emptyCells[1].first.clear();    // temperature → nothing
    emptyCells[2] = {QStringLiteral("-1,5"), QStringLiteral(" 3 ")};
    QByteArray emptyCellBytes = exampleFile("Gaps");
    emptyCellBytes.replace("(26.1;210),(26;245),(25.8;260)", "(26.1;0),(;245),(-1,5; 3 )");
    QTest::newRow("cell texts kept, empty precipitation as 0")
        << "Gaps" << emptyCells << emptyCellBytes;

    QTest::newRow("double quote written as apostrophe")
        << "The \"Old\" Station" << exampleRows() << exampleFile("The 'Old' Station");
    QTest::newRow("Windows-1252 when the name fits")
        << QString::fromUtf8("S\u00e3o Paulo \u2013 Mirante") << exampleRows()
        << exampleFile("S\xe3o Paulo \x96 Mirante");
    QTest::newRow("UTF-8 when it does not") << QString::fromUtf8("\u0141\u00f3d\u017a") << exampleRows()
                                            << exampleFile("\xc5\x81\xc3\xb3" "d\xc5\xba");
    // In Windows-1252 these two characters are the bytes C3 A9, which read
    // as UTF-8 would be one "é": UTF-8 keeps the name as typed.
    QTest::newRow("UTF-8 when 1252 would read back wrong")
        << QString::fromUtf8("\u00c3\u00a9") << exampleRows() << exampleFile("\xc3\x83\xc2\xa9");
    QTest::newRow("no rows") << "None" << std::vector<CellRow>()
                             << QByteArray("\"None\",\"(1;0)\"\r\n");
}

void TestDataFile::bytesWritten()
{
    QFETCH(QString, name);
    QFETCH(std::vector<CellRow>, rows);
    QFETCH(QByteArray, bytes);

    QCOMPARE(DataFile::dataFileBytes(name, rows), bytes);

    const QString path = m_dir->filePath(QStringLiteral("written.tvr"));
    const DataFile::WriteResult written = DataFile::writeDataFile(path, name, rows);
    QVERIFY2(written.ok, qPrintable(written.message));
    QCOMPARE(fileBytes(path), bytes);
}

void TestDataFile::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("readName");

    const auto sameName = [](const char *row, const QString &name, bool comma = false) {
        QTest::newRow(row) << name << comma << name;
    };
    sameName("plain", "Lisbon");
    sameName("punctuation", "Rio (RJ), Brasil; 1961-1990");
    sameName("Windows-1252", QString::fromUtf8("S\u00e3o Paulo \u20ac"));
    sameName("beyond 1252", QString::fromUtf8("\u6771\u4eac \u0141\u00f3d\u017a"));
    sameName("1252 bytes that look like UTF-8", QString::fromUtf8("\u00c3\u00a9"));
    QTest::newRow("double quote") << "A \"B\"" << false << "A 'B'";
    QTest::newRow("empty") << "" << false << "Tervalo";
    sameName("pt_BR cell texts", "Porto Alegre", true);
}

void TestDataFile::roundTrip()
{
    QFETCH(QString, name);
    QFETCH(bool, comma);
    QFETCH(QString, readName);

    std::vector<CellRow> rows;
    for (int m = 1; m <= 12; ++m) {
        const QString temp = QString::number(m * 1.5 - 6.25);
        const QString ppt = QString::number(m * 10);
        rows.emplace_back(comma ? QString(temp).replace(u'.', u',') : temp, ppt);
    }

    const QString path = m_dir->filePath(QStringLiteral("place.tvr"));
    QVERIFY(DataFile::writeDataFile(path, name, rows).ok);
    const DataFile::ReadResult result = DataFile::readDataFile(path, comma ? brazilian : english);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.pairCount, 12);
    QCOMPARE(result.data.name, readName);
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(result.data.temp[m], m * 1.5 - 6.25);
        QCOMPARE(result.data.ppt[m], m * 10.0);
    }
}

void TestDataFile::writeReplacesAnExistingFile()
{
    const QString path = m_dir->filePath(QStringLiteral("place.tvr"));
    QVERIFY(writeBytes(path, QByteArray(4096, 'o')));
    QVERIFY(DataFile::writeDataFile(path, QStringLiteral("New"), exampleRows()).ok);
    QCOMPARE(fileBytes(path), exampleFile("New"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestDataFile::failedSaveLeavesOldFileIntact()
{
    const QByteArray old = exampleFile("Old");

    // A path whose parent folder is a regular file cannot be created.
    const QString plainFile = m_dir->filePath(QStringLiteral("plain.tvr"));
    QVERIFY(writeBytes(plainFile, old));
    DataFile::WriteResult result =
        DataFile::writeDataFile(plainFile + QStringLiteral("/inner.tvr"), QStringLiteral("New"),
                                exampleRows());
    QVERIFY(!result.ok);
    QVERIFY(!result.message.isEmpty());
    QCOMPARE(fileBytes(plainFile), old);

    // A folder in the way is not replaced, and what it holds stays.
    const QString folder = m_dir->filePath(QStringLiteral("folder.tvr"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.tvr")));
    QVERIFY(writeBytes(folder + QStringLiteral("/inside.tvr"), old));
    result = DataFile::writeDataFile(folder, QStringLiteral("New"), exampleRows());
    QVERIFY(!result.ok);
    QVERIFY(!result.message.isEmpty());
    QCOMPARE(fileBytes(folder + QStringLiteral("/inside.tvr")), old);

    QVERIFY(!DataFile::writeDataFile(QString(), QStringLiteral("New"), exampleRows()).ok);

    // No temporary file is left behind by the failed saves.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // Permissions stop writes only for ordinary users.
    if (geteuid() != 0) {
        const QString locked = m_dir->filePath(QStringLiteral("locked"));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
        const QString target = locked + QStringLiteral("/place.tvr");
        QVERIFY(writeBytes(target, old));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        result = DataFile::writeDataFile(target, QStringLiteral("New"), exampleRows());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!result.ok);
        QCOMPARE(fileBytes(target), old);
    }
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
