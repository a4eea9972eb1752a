// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TestPaths.h"
#include "data/DataFile.h"
#include "data/NumberText.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

// The sample files shipped beside the program: every one must open with
// twelve months, hold plausible values, and be byte for byte what the editor
// would write for the same place.
class TestSamples : public QObject
{
    Q_OBJECT

private:
    const QLocale english{QLocale::English, QLocale::UnitedStates};
    QDir samples;

private slots:
    void initTestCase();
    void everySample_data();
    void everySample();
    void knownValues_data();
    void knownValues();
};

void TestSamples::initTestCase()
{
    samples = QDir(TestPaths::sourceDir() + QStringLiteral("/samples"));
    QVERIFY2(samples.exists(), "the source tree's test fixtures are missing");
    QVERIFY(samples.entryList({QStringLiteral("*.tvr")}, QDir::Files).size() >= 10);
}

void TestSamples::everySample_data()
{
    QTest::addColumn<QString>("path");
    const QStringList files = samples.entryList({QStringLiteral("*.tvr")}, QDir::Files);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << samples.filePath(file);
}

void TestSamples::everySample()
{
    QFETCH(QString, path);

    const DataFile::ReadResult result = DataFile::readDataFile(path, english);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.pairCount, 12);
    QVERIFY(!result.data.name.isEmpty());

    std::vector<DataFile::CellRow> rows;
    for (int month = 1; month <= 12; ++month) {
        const double temp = result.data.temp[month];
        const double ppt = result.data.ppt[month];
        QVERIFY2(temp > -60.0 && temp < 45.0, qPrintable(QString::number(month)));
        QVERIFY2(ppt >= 0.0 && ppt < 1500.0, qPrintable(QString::number(month)));
        rows.emplace_back(NumberText::general(temp, english), NumberText::general(ppt, english));
    }

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), DataFile::dataFileBytes(result.data.name, rows));
}

void TestSamples::knownValues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("month");
    QTest::addColumn<double>("temp");
    QTest::addColumn<double>("ppt");

    QTest::newRow("Lisbon January") << "lisbon.tvr" << "Lisbon" << 1 << 11.6 << 100.0;
    QTest::newRow("Moscow January below zero") << "moscow.tvr" << "Moscow" << 1 << -6.2 << 53.0;
    QTest::newRow("Mumbai July monsoon")
        << "mumbai.tvr" << "Mumbai (Santacruz)" << 7 << 27.6 << 840.0;
    QTest::newRow("Cairo dry June") << "cairo.tvr" << "Cairo" << 6 << 27.3 << 0.0;
    QTest::newRow("Utqiagvik February")
        << "utqiagvik.tvr" << "Utqiagvik (Barrow), Alaska" << 2 << -26.1 << 4.0;
    QTest::newRow("Sydney December")
        << "sydney.tvr" << "Sydney (Observatory Hill)" << 12 << 22.3 << 77.0;
    QTest::newRow("São Paulo name in Windows-1252")
        << "sao_paulo.tvr" << QString::fromUtf8("S\u00e3o Paulo (Mirante de Santana)") << 1
        << 22.1 << 239.0;
}

void TestSamples::knownValues()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(int, month);
    QFETCH(double, temp);
    QFETCH(double, ppt);

    const DataFile::ReadResult result = DataFile::readDataFile(samples.filePath(file), english);
    QVERIFY(result.ok());
    QCOMPARE(result.data.name, name);
    QCOMPARE(result.data.temp[month], temp);
    QCOMPARE(result.data.ppt[month], ppt);
}

QTEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
