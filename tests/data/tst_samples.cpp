// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TestPaths.h"
#include "data/DataFile.h"
#include "data/NumberText.h"
#include "data/StationTable.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

#include <algorithm>

// The sample files shipped beside the program: every one must open with
// twelve months, hold plausible values, be byte for byte what the editor
// would write for the same place, and hold a station of the station table
// under the name the station library gives it.
class TestSamples : public QObject
{
    Q_OBJECT

private:
    const QLocale english{QLocale::English, QLocale::UnitedStates};
    QDir samples;
    std::vector<Station> stations;

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
    StationTable::ReadResult table =
        StationTable::readStationTable(TestPaths::sourceDir() + QStringLiteral("/resources/stations/stations.csv"));
    QVERIFY2(table.ok, qPrintable(table.message));
    stations = std::move(table.stations);
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

    const bool fromTable = std::any_of(stations.begin(), stations.end(), [&](const Station &station) {
        const DataSet place = StationTable::dataSet(station);
        return place.name == result.data.name && place.temp == result.data.temp && place.ppt == result.data.ppt;
    });
    QVERIFY2(fromTable, "not a station of the station table");
}

void TestSamples::knownValues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("month");
    QTest::addColumn<double>("temp");
    QTest::addColumn<double>("ppt");

    QTest::newRow("Lisbon January") << "lisbon.tvr" << "Lisbon 1991-2020" << 1 << 11.5 << 96.0;
    QTest::newRow("Moscow January below zero")
        << "moscow.tvr" << "Moscow 1991-2020" << 1 << -6.2 << 53.0;
    QTest::newRow("Mumbai July monsoon")
        << "mumbai.tvr" << "Mumbai/Colaba 1961-1990" << 7 << 27.7 << 703.0;
    QTest::newRow("Cairo dry June") << "cairo.tvr" << "Kairo Airp. 1961-1990" << 6 << 27.5 << 0.0;
    QTest::newRow("Utqiagvik February")
        << "utqiagvik.tvr" << "Barrow/ ASK 1991-2020" << 2 << -24.7 << 6.0;
    QTest::newRow("Sydney December") << "sydney.tvr" << "Sydney/NSW 1991-2020" << 12 << 22.1 << 67.0;
    QTest::newRow("Manaus decimal precipitation")
        << "manaus.tvr" << "Manaus 1961-1990" << 1 << 26.1 << 264.2;
    QTest::newRow("Sao Paulo, southern summer")
        << "sao_paulo.tvr" << "Sao Paulo 1991-2020" << 1 << 23.1 << 292.0;
    QTest::newRow("Königwinter name in Windows-1252")
        << "heiderhof.tvr" << QString::fromUtf8("K\u00f6nigwinter\u2026 1961-1990") << 1 << 1.5 << 64.4;
    QTest::newRow("La Paz, 4038 m") << "la_paz.tvr" << "La Paz 1961-1990" << 7 << 6.8 << 9.0;
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
