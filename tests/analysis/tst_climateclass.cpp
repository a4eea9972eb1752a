// SPDX-License-Identifier: GPL-3.0-or-later
// The Köppen–Geiger class of a place: every rule's boundary from both
// sides, the summer half in both hemispheres, the dry threshold's three
// cases, and real stations of the shipped table.
#include "common/TestPaths.h"

#include "analysis/ClimateClass.h"
#include "data/StationTable.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using Months = std::array<double, 13>;   // months 1..12, element 0 unused
Q_DECLARE_METATYPE(Months)

namespace {

Months months(std::initializer_list<double> values)
{
    Months m{};
    std::copy(values.begin(), values.end(), m.begin() + 1);
    return m;
}

Months constant(double value)
{
    Months m;
    m.fill(value);
    return m;
}

Months with(Months m, int month, double value)
{
    m[month] = value;
    return m;
}

// The same year for the other hemisphere: its seasons six months on.
Months shifted(const Months &m)
{
    Months s{};
    for (int month = 1; month <= 12; ++month)
        s[month] = m[(month + 5) % 12 + 1];
    return s;
}

// A temperate year of the north: coldest 10 °C, warmest 24 °C.
const Months temperate = months({10, 11, 13, 15, 18, 21, 24, 24, 21, 17, 13, 10});
// Winter rain (October–March 150 mm), summer months 60 mm.
const Months winterRain = months({150, 150, 150, 60, 60, 60, 60, 60, 60, 150, 150, 150});
// Summer rain (April–September 200 mm, one month 300), winter months 50 mm.
const Months summerRain = months({50, 50, 50, 200, 200, 300, 200, 200, 200, 50, 50, 50});
// A cold continental year: coldest −38 °C, three months above 10 °C.
const Months continental = months({-38, -35, -25, -10, 2, 11, 15, 12, 3, -10, -25, -35});

} // namespace

class TestClimateClass : public QObject
{
    Q_OBJECT

private:
    std::vector<Station> m_stations;

private slots:
    void initTestCase();
    void boundaries_data();
    void boundaries();
    void dryThreshold_data();
    void dryThreshold();
    void stations_data();
    void stations();
    void reasonsSpellTheCode();
};

void TestClimateClass::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    const StationTable::ReadResult read = StationTable::readStationTable(
        TestPaths::sourceDir() + QStringLiteral("/resources/stations/stations.csv"));
    QVERIFY2(read.ok, qPrintable(read.message));
    m_stations = read.stations;
}

// Each inequality of the rules with a place on its boundary (where the
// comparison is ≥ or ≤, the boundary is inside) and one just beyond it.
void TestClimateClass::boundaries_data()
{
    QTest::addColumn<Months>("temp");
    QTest::addColumn<Months>("ppt");
    QTest::addColumn<QString>("code");

    // 20 °C all year: dry threshold 2 × 20 + 14 = 54 mm.
    QTest::newRow("MAP = 10 x Pth: not dry") << constant(20) << constant(45) << "Aw";
    QTest::newRow("MAP < 10 x Pth: B") << constant(20) << with(constant(45), 1, 44) << "BSh";
    QTest::newRow("MAP = 5 x Pth: steppe") << constant(20) << constant(22.5) << "BSh";
    QTest::newRow("MAP < 5 x Pth: desert") << constant(20) << with(constant(22.5), 1, 21.5) << "BWh";
    QTest::newRow("MAT = 18: hot") << constant(18) << constant(10) << "BWh";
    QTest::newRow("MAT < 18: cold") << with(constant(18), 1, 17.9) << constant(10) << "BWk";

    QTest::newRow("Thot = 10: polar") << constant(10) << constant(50) << "ET";
    QTest::newRow("Thot > 10: not polar") << with(constant(10), 7, 10.1) << constant(50) << "Cfc";
    QTest::newRow("Thot = 0: ice cap") << constant(0) << constant(50) << "EF";
    QTest::newRow("Thot > 0: tundra") << with(constant(-1), 7, 0.1) << constant(50) << "ET";

    QTest::newRow("Tcold = 18: tropical") << constant(18) << constant(100) << "Af";
    QTest::newRow("Tcold < 18: temperate") << with(constant(18), 1, 17.9) << constant(100) << "Cfb";
    QTest::newRow("Pdry = 60: rainforest") << constant(25) << with(constant(100), 3, 60) << "Af";
    QTest::newRow("Pdry < 60: monsoon") << constant(25) << with(constant(100), 3, 59.9) << "Am";
    // 1,500 mm a year: the monsoon limit is 100 − 1500 / 25 = 40 mm.
    const Months monsoon = months({130, 130, 40, 130, 130, 160, 130, 130, 130, 130, 130, 130});
    QTest::newRow("Pdry = 100 - MAP/25: monsoon") << constant(25) << monsoon << "Am";
    QTest::newRow("Pdry < 100 - MAP/25: savannah") << constant(25) << with(with(monsoon, 3, 39), 6, 161) << "Aw";

    const Months cold = with(temperate, 1, 0);
    QTest::newRow("Tcold = 0: cold") << cold << constant(60) << "Dfa";
    QTest::newRow("Tcold > 0: temperate") << with(cold, 1, 0.1) << constant(60) << "Cfa";

    QTest::newRow("Psdry = 40: no dry summer") << temperate << with(winterRain, 7, 40) << "Cfa";
    QTest::newRow("Psdry < 40: dry summer") << temperate << with(winterRain, 7, 39.9) << "Csa";
    const Months thirdOfWinter = months({90, 90, 90, 60, 60, 60, 30, 60, 60, 90, 90, 90});
    QTest::newRow("Psdry = Pwwet/3: no dry summer") << temperate << thirdOfWinter << "Cfa";
    QTest::newRow("Psdry < Pwwet/3: dry summer") << temperate << with(thirdOfWinter, 12, 90.3) << "Csa";
    QTest::newRow("Pwdry = Pswet/10: no dry winter") << temperate << with(summerRain, 1, 30) << "Cfa";
    QTest::newRow("Pwdry < Pswet/10: dry winter") << temperate << with(summerRain, 1, 29.9) << "Cwa";
    // A dry month in both halves: the drier half is the dry season.
    const Months bothDry = months({100, 5, 100, 100, 5, 300, 300, 300, 300, 100, 100, 100});
    QTest::newRow("dry in both, more rain in summer") << temperate << bothDry << "Cwa";
    QTest::newRow("dry in both, more rain in winter") << shifted(temperate) << bothDry << "Csa";

    QTest::newRow("Thot = 22: hot summer") << with(with(temperate, 7, 22), 8, 22) << constant(60) << "Cfa";
    QTest::newRow("Thot < 22: warm summer") << with(with(temperate, 7, 21.9), 8, 21.9) << constant(60) << "Cfb";
    const Months fourAbove10 = months({2, 3, 5, 8, 10.1, 14, 18, 17, 9, 7, 5, 3});
    QTest::newRow("Tmon10 = 4: warm summer") << fourAbove10 << constant(60) << "Cfb";
    QTest::newRow("T = 10 is not above 10: cold summer") << with(fourAbove10, 5, 10) << constant(60) << "Cfc";
    QTest::newRow("Tcold = -38: cold summer") << continental << constant(30) << "Dfc";
    QTest::newRow("Tcold < -38: very cold winter") << with(continental, 1, -38.1) << constant(30) << "Dfd";

    // Summer is the warmer half wherever the place lies; on a tie, April–September.
    const Months drySummer = with(winterRain, 7, 5);
    QTest::newRow("summer in the north") << temperate << drySummer << "Csa";
    QTest::newRow("summer in the south") << shifted(temperate) << shifted(drySummer) << "Csa";
    QTest::newRow("equal halves: summer from April") << constant(15) << drySummer << "Csb";
}

void TestClimateClass::boundaries()
{
    QFETCH(Months, temp);
    QFETCH(Months, ppt);
    QFETCH(QString, code);
    const ClimateClass result = ClimateClass::of(temp, ppt);
    QCOMPARE(result.code(), code);
    QVERIFY(!result.name().isEmpty());
}

// 20 °C all year; 70 % of the year's precipitation in one half chooses the
// threshold, 69.9 % does not.
void TestClimateClass::dryThreshold_data()
{
    QTest::addColumn<Months>("ppt");
    QTest::addColumn<int>("season");
    QTest::addColumn<double>("threshold");

    const Months winter70 = months({35, 35, 35, 15, 15, 15, 15, 15, 15, 35, 35, 35});   // 210 of 300
    QTest::newRow("70 % in winter") << winter70 << int(ClimateClass::RainSeason::Winter) << 40.0;
    QTest::newRow("70 % in summer") << shifted(winter70) << int(ClimateClass::RainSeason::Summer) << 68.0;
    QTest::newRow("69.9 % in winter") << with(winter70, 1, 34.7) << int(ClimateClass::RainSeason::Neither) << 54.0;
}

void TestClimateClass::dryThreshold()
{
    QFETCH(Months, ppt);
    QFETCH(int, season);
    QFETCH(double, threshold);
    const ClimateClass result = ClimateClass::of(constant(20), ppt);
    QCOMPARE(int(result.figures().rainSeason), season);
    QCOMPARE(result.figures().dryThreshold, threshold);
}

void TestClimateClass::stations_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("code");
    const std::pair<const char *, const char *> expected[] = {
        {"48698", "Af"}, {"72202", "Am"}, {"62366", "BWh"}, {"08535", "Csa"}, {"03772", "Cfb"},
        {"94767", "Cfa"}, {"27612", "Dfb"}, {"70026", "ET"}, {"89606", "EF"},
    };
    for (const auto &[id, code] : expected) {
        QTest::newRow(id) << QString::fromLatin1(id) << QString::fromLatin1(code);
        if (QByteArray(id) != "62366" && QByteArray(id) != "89606")
            QTest::newRow(qPrintable(id + QStringLiteral("R2"))) << id + QStringLiteral("R2") << QString::fromLatin1(code);
    }
}

void TestClimateClass::stations()
{
    QFETCH(QString, id);
    QFETCH(QString, code);
    const auto station = std::find_if(m_stations.begin(), m_stations.end(),
                                      [&id](const Station &s) { return s.id == id; });
    QVERIFY(station != m_stations.end());
    QCOMPARE(ClimateClass::of(StationTable::dataSet(*station)).code(), code);
}

// The steps of the reasons end in the letters of the code, for every
// station; and Moscow's say why in full.
void TestClimateClass::reasonsSpellTheCode()
{
    QSet<QString> codes;
    for (const Station &station : m_stations) {
        const ClimateClass result = ClimateClass::of(StationTable::dataSet(station));
        QString letters;
        for (const QString &step : result.reasons().mid(1))   // after the dry threshold
            if (!step.endsWith(QStringLiteral("not dry")) && !step.endsWith(QStringLiteral("not polar")))
                letters += step.back();
        QCOMPARE(letters, result.code());
        QVERIFY2(!result.name().isEmpty(), qPrintable(result.code()));
        codes << result.code();
    }
    QCOMPARE(codes.size(), 30);   // the table holds every class the rules give

    const auto moscow = std::find_if(m_stations.begin(), m_stations.end(),
                                     [](const Station &s) { return s.id == QStringLiteral("27612"); });
    QVERIFY(ClimateClass::of(StationTable::dataSet(*moscow)).reasonText().endsWith(
        QString::fromUtf8("; coldest month -9.3\u00a0°C ≤ 0 → D; no dry season → f; "
                          "5 months above 10\u00a0°C, warmest 18.1\u00a0°C < 22 → b")));
}

QTEST_GUILESS_MAIN(TestClimateClass)
#include "tst_climateclass.moc"
