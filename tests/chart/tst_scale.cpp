// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PlotMapping.h"
#include "chart/Scale.h"

#include <QTest>

#include <limits>

class TestScale : public QObject
{
    Q_OBJECT

private slots:
    void bounds_data();
    void bounds();
    void axisText_data();
    void axisText();
    void divisionCount_data();
    void divisionCount();
    void divisionLabels();
    void mapping_data();
    void mapping();
    void positionValue();
};

void TestScale::bounds_data()
{
    QTest::addColumn<double>("dataMin");
    QTest::addColumn<double>("dataMax");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::newRow("temperatures 10..30") << 10.0 << 30.0 << 9.0 << 31.0;
    QTest::newRow("precipitation 0..200") << 0.0 << 200.0 << -10.0 << 210.0;
    QTest::newRow("precipitation 0..300") << 0.0 << 300.0 << -15.0 << 315.0;
    QTest::newRow("temperatures 20..28") << 20.0 << 28.0 << 19.6 << 28.4;
    QTest::newRow("all equal") << 5.0 << 5.0 << 5.0 << 5.0;
    // Extremes never widened since their reset.
    const double largest = std::numeric_limits<double>::max();
    QTest::newRow("data -1.7e308..1.7e308: bounds stay finite") << -1.7e308 << 1.7e308 << -largest << largest;
    QTest::newRow("reset extremes") << Scale::extremeMinStart << Scale::extremeMaxStart << 105500.0 << -15500.0;
}

void TestScale::bounds()
{
    QFETCH(double, dataMin);
    QFETCH(double, dataMax);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QVERIFY(qAbs(Scale::lowerBound(dataMin, dataMax) - lower) < 1e-9);
    QVERIFY(qAbs(Scale::upperBound(dataMin, dataMax) - upper) < 1e-9);
}

void TestScale::axisText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("brazilian");
    QTest::newRow("31.25 at one decimal") << 31.25 << 1 << "31.3" << "31,3";
    QTest::newRow("-10 at none") << -10.0 << 0 << "-10" << "-10";
    QTest::newRow("7 at two") << 7.0 << 2 << "7.00" << "7,00";
    QTest::newRow("2.5 rounds up") << 2.5 << 0 << "3" << "3";
    QTest::newRow("-2.5 rounds away from zero") << -2.5 << 0 << "-3" << "-3";
    QTest::newRow("0.125 at two") << 0.125 << 2 << "0.13" << "0,13";
    QTest::newRow("no grouping") << 12345.67 << 1 << "12345.7" << "12345,7";
    QTest::newRow("four decimals") << 1.0 / 3 << 4 << "0.3333" << "0,3333";
    QTest::newRow("no decimals item") << 5.0 << -1 << "" << "";
    QTest::newRow("beyond the list") << 5.0 << 5 << "" << "";
}

void TestScale::axisText()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, english);
    QFETCH(QString, brazilian);
    QCOMPARE(Scale::axisText(value, decimals, QLocale(QLocale::English, QLocale::UnitedStates)), english);
    QCOMPARE(Scale::axisText(value, decimals, QLocale(QLocale::Portuguese, QLocale::Brazil)), brazilian);
}

void TestScale::divisionCount_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("Default") << 0 << "Default" << 8;
    QTest::newRow("2") << 1 << "2" << 2;
    QTest::newRow("20") << 19 << "20" << 20;
    QTest::newRow("nothing selected") << -1 << "" << 1;
    QTest::newRow("typed text") << -1 << "abc" << 1;
    QTest::newRow("typed zero") << -1 << "0" << 1;
    QTest::newRow("typed negative") << -1 << "-4" << 1;
    QTest::newRow("typed with a tail") << -1 << "12 ticks" << 12;
    QTest::newRow("typed huge") << -1 << "1e9" << Scale::maxDivisions;
}

void TestScale::divisionCount()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(Scale::divisionCount(index, text, QLocale(QLocale::English, QLocale::UnitedStates)), expected);
}

void TestScale::divisionLabels()
{
    // Bounds 9 and 31 with the default 8 divisions and one decimal.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList labels;
    for (int k = 0; k <= 8; ++k)
        labels << Scale::axisText(Scale::divisionPosition(9, 31, 8, k), 1, english);
    QCOMPARE(labels, QStringList({"9.0", "11.8", "14.5", "17.3", "20.0", "22.8", "25.5", "28.3", "31.0"}));
    // 20 divisions: the last of the 21 positions is exactly the axis end.
    QCOMPARE(Scale::divisionPosition(720, 6120, 20, 20), 6120.0);
    QCOMPARE(Scale::divisionPosition(4920, 480, 20, 0), 4920.0);
    const double largest = std::numeric_limits<double>::max();
    QCOMPARE(Scale::divisionPosition(-largest, largest, 2, 1), 0.0);
}

void TestScale::mapping_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    // Plotting area 5400 × 4440 twips.
    QTest::newRow("lower bound") << 9.0 << 31.0 << 9.0 << 0.0 << 4440.0;
    QTest::newRow("upper bound") << 9.0 << 31.0 << 31.0 << 5400.0 << 0.0;
    QTest::newRow("middle") << 9.0 << 31.0 << 20.0 << 2700.0 << 2220.0;
    QTest::newRow("below the range") << 0.0 << 10.0 << -5.0 << -2700.0 << 6660.0;
    QTest::newRow("zero range: the value in the middle") << 25.0 << 25.0 << 25.0 << 2700.0 << 2220.0;
    QTest::newRow("zero range: value + 1 at the end") << 25.0 << 25.0 << 26.0 << 5400.0 << 0.0;
    // Values near the largest double: nothing overflows on the way, the
    // ordinary values keep their places beside a huge one.
    const double huge = 1e308;
    const double hugeLow = Scale::lowerBound(0, huge);
    const double hugeHigh = Scale::upperBound(0, huge);
    QTest::newRow("1e308 drawn: zero in its place") << hugeLow << hugeHigh << 0.0 << 5400 * 0.05 / 1.1
                                                    << 4440 - 4440 * 0.05 / 1.1;
    QTest::newRow("1e308 drawn: 1e308 itself") << hugeLow << hugeHigh << huge << 5400 * 1.05 / 1.1
                                               << 4440 * 0.05 / 1.1;
    QTest::newRow("range -1e308..1e308") << -huge << huge << 0.0 << 2700.0 << 2220.0;
    QTest::newRow("range with ends too close to tell apart") << huge << huge << huge << 2700.0 << 2220.0;
    const double farthest = std::numeric_limits<double>::max();
    QTest::newRow("1e308 far beyond the range") << 0.0 << 10.0 << huge << farthest << -farthest;
}

void TestScale::mapping()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, value);
    QFETCH(double, x);
    QFETCH(double, y);
    const Scale::Range range = Scale::drawnRange(low, high);
    const PlotMapping map(0, 0, 5400, 4440, range, range);
    QVERIFY(qAbs(map.x(value) - x) < 1e-9);
    QVERIFY(qAbs(map.y(value) - y) < 1e-9);
}

// The inverse of the mapping: edges give the bounds, any position gives back
// the value mapped there, and an area without extent gives no value.
void TestScale::positionValue()
{
    const Scale::Range x{9, 31};
    const Scale::Range y{-10, 210};
    const PlotMapping map(0, 0, 5400, 4440, x, y);
    const PlotPositionValue at(0, 0, 5400, 4440, x, y);
    QCOMPARE(*at.atX(0), 9.0);
    QCOMPARE(*at.atX(5400), 31.0);
    QCOMPARE(*at.atY(0), 210.0);
    QCOMPARE(*at.atY(4440), -10.0);
    QVERIFY(qAbs(*at.atX(map.x(17.3)) - 17.3) < 1e-9);
    QVERIFY(qAbs(*at.atY(map.y(123.4)) - 123.4) < 1e-9);
    // Bounds near the largest double: the value in the middle is 0, not an overflow.
    QCOMPARE(*PlotPositionValue(0, 0, 5400, 4440, {-1.7e308, 1.7e308}, y).atX(2700), 0.0);
    const PlotPositionValue flat(0, 100, 0, 100, x, y);
    QVERIFY(!flat.atX(0));
    QVERIFY(!flat.atY(100));
}

QTEST_APPLESS_MAIN(TestScale)
#include "tst_scale.moc"
