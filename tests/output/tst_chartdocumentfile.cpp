// SPDX-License-Identifier: GPL-3.0-or-later
// The chart document's file form: what is written reads back as the same
// value, numbers to the last bit and texts to the last character, whatever
// the locale.
#include "output/ChartDocumentFile.h"

#include "data/FileName.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

#include <sys/stat.h>

class TestChartDocumentFile : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void readsBackTheSameValue()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ChartDocument document;
        document.kind = ChartKind::WalterLieth;
        document.monthOrder = MonthOrder::JulyFirst;
        document.monthLabels = 4;
        document.title = QStringLiteral("Tabs\tand \"quotes\" & <marks>, ß, \U0001F30D");
        document.legendPosition = QPoint(-45, 7200);
        document.x.minimum = 0.1 + 0.2;
        document.x.maximum = std::numeric_limits<double>::max();
        document.x.minimumBox = {std::nullopt, QStringLiteral("12,5 oder so")};
        document.x.maximumBox = {-12.5, QStringLiteral("-12.50")};
        document.y.lowerThreshold = {1e-300, QStringLiteral("1e-300")};
        document.y.ticks = 19;
        document.places.resize(2);
        DocumentPlace &place = document.places[1];
        place.data.name = QStringLiteral("Line\r\nbreaks");
        place.data.temp[12] = -123456789.123456789;
        place.data.ppt[1] = std::numeric_limits<double>::denorm_min();
        place.data.info = {-4.5, std::nullopt, QStringLiteral("1961-1990")};
        place.transposed = true;
        place.edits = {{3, Quantity::Precipitation, 5.0 / 3}, {12, Quantity::Temperature, std::nullopt}};

        const ChartDocumentFile::ReadResult read = ChartDocumentFile::parse(ChartDocumentFile::bytes(document));
        QVERIFY2(read.ok(), qPrintable(read.error));
        QVERIFY(*read.document == document);
    }

    // Characters XML cannot carry become U+FFFD rather than a document that
    // cannot be opened again.
    void controlCharactersStillOpen()
    {
        ChartDocument document;
        document.title = QStringLiteral("a\x01" "b");
        const ChartDocumentFile::ReadResult read = ChartDocumentFile::parse(ChartDocumentFile::bytes(document));
        QVERIFY2(read.ok(), qPrintable(read.error));
        QCOMPARE(read.document->title, QStringLiteral("a\uFFFD" "b"));
    }

    void onlyFilesAreRead_data()
    {
        QTest::addColumn<QByteArray>("name");   // the system's bytes, in a folder of its own
        QTest::addColumn<QByteArray>("made");   // "document", "folder", "pipe" or nothing
        QTest::addColumn<QString>("error");
        QTest::newRow("a document") << QByteArray("a.tvc") << QByteArray("document") << QString();
        QTest::newRow("a name that is not UTF-8") << QByteArray("\xfd\xff.tvc") << QByteArray("document") << QString();
        QTest::newRow("missing") << QByteArray("gone.tvc") << QByteArray() << "no such file";
        QTest::newRow("a folder") << QByteArray("folder.tvc") << QByteArray("folder") << "not a file";
        QTest::newRow("a named pipe, which would never end") << QByteArray("pipe.tvc") << QByteArray("pipe")
                                                             << "not a file";
    }
    // Saved and read under the name as the system has it; a folder or a
    // pipe is refused without waiting on it.
    void onlyFilesAreRead()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, made);
        QFETCH(QString, error);
        const QTemporaryDir folder;
        const QByteArray native = QFile::encodeName(folder.path()) + '/' + name;
        const QString path = FileName::fromNative(native);
        ChartDocument document;
        document.title = QStringLiteral("Kept");
        if (made == "document")
            QCOMPARE(ChartDocumentFile::write(path, document), QString());
        else if (made == "folder")
            QCOMPARE(::mkdir(native.constData(), 0755), 0);
        else if (made == "pipe")
            QCOMPARE(::mkfifo(native.constData(), 0644), 0);

        const ChartDocumentFile::ReadResult read = ChartDocumentFile::read(path);
        QCOMPARE(read.error, error);
        if (error.isEmpty()) {
            struct stat info;
            QCOMPARE(::stat(native.constData(), &info), 0);
            QCOMPARE(read.document->title, document.title);
        }
    }
};

QTEST_GUILESS_MAIN(TestChartDocumentFile)
#include "tst_chartdocumentfile.moc"
