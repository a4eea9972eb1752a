// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixture.h"

#include "chart/PlotMapping.h"
#include "chart/Scale.h"

#include <QApplication>
#include <QTest>

#include <cmath>

namespace {

using Months = ChartFixture::Months;

const qint32 white = Rgb::pack(255, 255, 255);
const qint32 black = 0;
const qint32 grey = Rgb::pack(180, 180, 180);
// Red, green and blue are the fixture's colours of data sets 1, 2 and 3.
const qint32 red = Rgb::pack(255, 0, 0);
const qint32 green = Rgb::pack(0, 110, 0);
const qint32 blue = Rgb::pack(0, 0, 255);

// Twelve values evenly from `first` (January) to `last` (December).
Months ramp(double first, double last)
{
    Months values{};
    for (int m = 0; m < 12; ++m)
        values[m] = first + (last - first) * m / 11;
    return values;
}

Months flat(double value)
{
    Months values{};
    values.fill(value);
    return values;
}

PlotMapping mappingOf(const ChartState &s)
{
    return PlotMapping(s.plotLeft, s.plotTop, s.plotRight, s.plotBottom,
                       Scale::drawnRange(s.scaleMinX, s.scaleMaxX), Scale::drawnRange(s.scaleMinY, s.scaleMaxY));
}

bool near(double a, double b) { return std::fabs(a - b) < 1e-9; }

// The usual single data set, 10..30 degrees and 0..200 mm, drawn and scaled.
void plotRamp(ChartFixture &f) { f.addDataSet(ramp(10, 30), ramp(0, 200)); f.engine->reFaz(true); }

// Pixels of `colour` in a rectangle of a picture.
qint64 count(const PictureBox *picture, qint32 colour, const QRect &area = QRect(0, 0, 10000, 10000))
{
    return picture->canvas().countPixels(colour, area);
}

} // namespace

class TestChartEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void automaticBounds_data();
    void automaticBounds();
    void redrawWithoutRescaleKeepsTheRange();
    void typedBoundTakesEffectThroughUpdate();
    void frozenBoundBecomesTheShownValue();
    void textThatIsNotANumber();
    void leavingABoxWithANumberMakesItManual();
    void transposition();
    void transpositionSetsManualBoundsToo();
    void transpositionWithoutDataDoesNothing();
    void transpositionMovesTextThatIsNotANumber();
    void formataAxisName();
    void settingsListsRedraw();
    void zeroRangeDrawsAroundTheValue();
    void cellThatIsNotANumberKeepsThePreviousPoint();

    void markersSitOnTheMappedPoints_data();
    void markersSitOnTheMappedPoints();
    void gridLines_data();
    void gridLines();
    void laterGridLiesOverEarlierSets();
    void thresholdLine();
    void barsStandSideBySide();
    void lineTypeOneGivesHollowBarsAndDashedPolygon();
    void monthLabelStyles_data();
    void monthLabelStyles();
    void nullLabelsLeaveNoText();
    void noCheckedSetClearsOnlyThePlottingArea();
    void axisLabelsStayOutsideThePlottingArea();
    void chartKindTitleAndLegend();

    void writePictures();
};

void TestChartEngine::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// --- Scales ----------------------------------------------------------------

void TestChartEngine::automaticBounds_data()
{
    QTest::addColumn<QList<Months>>("temps");
    QTest::addColumn<QList<Months>>("precs");
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QList<double>>("bounds"); // min X, max X, min Y, max Y
    QTest::addColumn<QStringList>("boxes");    // TextEsc(0..3)

    QTest::newRow("one data set") << QList<Months>{ramp(10, 30)} << QList<Months>{ramp(0, 200)}
                                  << QList<bool>{true} << QList<double>{9, 31, -10, 210}
                                  << QStringList{"210", "-10", "9.0", "31.0"};
    QTest::newRow("union of two") << QList<Months>{ramp(10, 20), ramp(15, 30)}
                                  << QList<Months>{ramp(0, 200), ramp(50, 100)} << QList<bool>{true, true}
                                  << QList<double>{9, 31, -10, 210} << QStringList{"210", "-10", "9.0", "31.0"};
    QTest::newRow("unchecked set left out") << QList<Months>{ramp(10, 20), ramp(15, 50)}
                                            << QList<Months>{ramp(0, 200), ramp(0, 900)}
                                            << QList<bool>{true, false} << QList<double>{9.5, 20.5, -10, 210}
                                            << QStringList{"210", "-10", "9.5", "20.5"};
}

void TestChartEngine::automaticBounds()
{
    QFETCH(QList<Months>, temps);
    QFETCH(QList<Months>, precs);
    QFETCH(QList<bool>, checked);
    QFETCH(QList<double>, bounds);
    QFETCH(QStringList, boxes);

    ChartFixture f;
    for (int i = 0; i < temps.size(); ++i)
        f.addDataSet(temps[i], precs[i], checked[i]);
    f.engine->reFaz(true);
    const ChartState &s = f.state.chart;
    const double drawn[] = {s.scaleMinX, s.scaleMaxX, s.scaleMinY, s.scaleMaxY};
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(near(drawn[i], bounds[i]), qPrintable(QStringLiteral("bound %1 is %2").arg(i).arg(drawn[i])));
        QCOMPARE(f.c.TextEsc[i]->text(), boxes[i]);
    }
    QCOMPARE(s.autoMinX, s.scaleMinX);
    QCOMPARE(s.autoMaxY, s.scaleMaxY);
    QCOMPARE(s.checkedCount, int(checked.count(true)));
}

void TestChartEngine::redrawWithoutRescaleKeepsTheRange()
{
    ChartFixture f;
    plotRamp(f);
    f.c.Grid2->setText(12, 1, QStringLiteral("25.00")); // December was 30
    f.engine->reFaz(false);
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
    f.engine->Command1_Click(); // "Update" widens, never narrows
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
    // Checking or unchecking a data set rescales: now the range follows
    // 10..28.18 (November, as the table shows it).
    f.engine->reFaz(true);
    QVERIFY(near(f.state.chart.scaleMaxX, Scale::upperBound(10, 28.18)));
    // An equal value does not move an extreme; a larger one does.
    f.c.Grid2->setText(1, 2, QStringLiteral("200"));
    f.engine->reFaz(false);
    QVERIFY(near(f.state.chart.scaleMaxY, 210));
}

void TestChartEngine::typedBoundTakesEffectThroughUpdate()
{
    ChartFixture f;
    plotRamp(f);
    f.c.TextEsc[2]->setText(QStringLiteral("12"));
    f.engine->TextEsc_Validate(2);
    QVERIFY(!f.c.teC[2]->isChecked());
    QVERIFY(near(f.state.chart.scaleMinX, 9)); // not yet
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMinX, 12));

    // Later redraws keep 12; the upper bound stays automatic, its margin
    // still taken from the frozen lower extreme 10.
    f.c.Grid2->setText(1, 1, QStringLiteral("0.00"));
    f.engine->reFaz(true);
    QVERIFY(near(f.state.chart.scaleMinX, 12));
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("12"));
}

void TestChartEngine::frozenBoundBecomesTheShownValue()
{
    ChartFixture f;
    f.addDataSet(ramp(10.3, 30), ramp(0, 200));
    f.engine->reFaz(true);
    QVERIFY(near(f.state.chart.scaleMinX, 10.3 - 0.05 * 19.7));
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("9.3"));
    f.c.teC[2]->setChecked(false);
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMinX, 9.3));
}

void TestChartEngine::textThatIsNotANumber()
{
    ChartFixture f;
    plotRamp(f);
    // Leaving a box with text that is not a number leaves it automatic.
    f.c.TextEsc[0]->setText(QStringLiteral("lots"));
    f.engine->TextEsc_Validate(0);
    QVERIFY(f.c.teC[0]->isChecked());
    // A manual bound whose text is not a number keeps its value on "Update".
    f.c.teC[0]->setChecked(false);
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMaxY, 210));
    QCOMPARE(f.c.TextEsc[0]->text(), QStringLiteral("lots"));
}

void TestChartEngine::leavingABoxWithANumberMakesItManual()
{
    ChartFixture f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.window.show();
    QApplication::setActiveWindow(&f.window);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.c.TextEsc[2]->setFocus();
    f.c.TextEsc[2]->selectAll();
    QTest::keyClicks(f.c.TextEsc[2], QStringLiteral("12"));
    f.c.TextEsc[1]->setFocus(); // leave the box
    QVERIFY(!f.c.teC[2]->isChecked());
    QVERIFY(f.c.teC[1]->isChecked());
    QTest::mouseClick(f.c.Command1, Qt::LeftButton);
    QVERIFY(near(f.state.chart.scaleMinX, 12));

    // Passing through a box without typing freezes its bound too; Return
    // in a box does not count as leaving it.
    f.c.TextEsc[0]->setFocus();
    QTest::keyClick(f.c.TextEsc[0], Qt::Key_Return);
    QVERIFY(f.c.teC[0]->isChecked());
    f.c.TextEsc[3]->setFocus();
    QVERIFY(!f.c.teC[0]->isChecked());
    QVERIFY(f.c.teC[3]->isChecked());
}

void TestChartEngine::transposition()
{
    ChartFixture f;
    f.addDataSet(ramp(20, 28), ramp(0, 300));
    f.engine->reFaz(true);
    f.engine->transPor();
    const ChartState &s = f.state.chart;
    QVERIFY(near(s.scaleMinX, -15));
    QVERIFY(near(s.scaleMaxX, 315));
    QVERIFY(near(s.scaleMinY, 19.6));
    QVERIFY(near(s.scaleMaxY, 28.4));
    QCOMPARE(f.c.Grid2->text(0, 1), QStringLiteral("Ppt1"));
    QCOMPARE(f.c.Grid2->text(0, 2), QStringLiteral("Tmp1"));
    QCOMPARE(f.c.Grid2->text(12, 1), QStringLiteral("300"));
    QCOMPARE(f.c.Grid2->text(1, 2), QStringLiteral("20"));
    QCOMPARE(f.c.Grid2->text(13, 1), NumberText::fixed(24, 2)); // averages stay put
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("-15.0"));
    QCOMPARE(f.c.TextEsc[0]->text(), QStringLiteral("28"));

    f.engine->Command1_Click(); // the automatic copies agree
    QVERIFY(near(s.scaleMaxX, 315));

    f.engine->transPor();
    QVERIFY(near(s.scaleMinX, 19.6));
    QVERIFY(near(s.scaleMaxX, 28.4));
    QVERIFY(near(s.scaleMinY, -15));
    QVERIFY(near(s.scaleMaxY, 315));
    QCOMPARE(f.c.Grid2->text(0, 1), QStringLiteral("Tmp1"));
    QCOMPARE(f.c.Grid2->text(12, 1), QStringLiteral("28"));
}

void TestChartEngine::transpositionSetsManualBoundsToo()
{
    ChartFixture f;
    f.addDataSet(ramp(20, 28), ramp(0, 300));
    // A second, unchecked data set takes part in the new extremes.
    f.addDataSet(ramp(20, 28), ramp(0, 500), false);
    f.engine->reFaz(true);
    f.c.TextEsc[3]->setText(QStringLiteral("40"));
    f.engine->TextEsc_Validate(3);
    f.engine->Command1_Click();
    QVERIFY(near(f.state.chart.scaleMaxX, 40));
    f.engine->transPor();
    QVERIFY(near(f.state.chart.scaleMaxX, 525));
    QVERIFY(near(f.state.chart.scaleMinX, -25));
    QCOMPARE(f.c.TextEsc[3]->text(), QStringLiteral("40")); // its box is not touched
}

void TestChartEngine::transpositionWithoutDataDoesNothing()
{
    ChartFixture f;
    f.state.chart.scaleMinX = 1;
    f.state.chart.scaleMaxX = 2;
    f.engine->transPor();
    QCOMPARE(f.state.chart.scaleMinX, 1.0);
    QCOMPARE(f.state.chart.scaleMaxX, 2.0);
    QCOMPARE(count(f.c.Picture1, white), qint64(460 * 355));
}

void TestChartEngine::transpositionMovesTextThatIsNotANumber()
{
    ChartFixture f;
    f.addDataSet(ramp(20, 28), ramp(0, 300));
    f.c.Grid2->setText(5, 1, QStringLiteral("n/a"));
    f.engine->transPor();
    QCOMPARE(f.c.Grid2->text(5, 2), QStringLiteral("n/a"));
    QCOMPARE(f.c.Grid2->text(5, 1), QStringLiteral("109")); // May's 109.09 as the table shows it
    f.engine->transPor();
    QCOMPARE(f.c.Grid2->text(5, 1), QStringLiteral("n/a"));
}

void TestChartEngine::formataAxisName()
{
    ChartFixture f;
    QCOMPARE(f.engine->Formata(31.25, "x"), QStringLiteral("31.3"));
    QCOMPARE(f.engine->Formata(31.25, "y"), QStringLiteral("31"));
    QCOMPARE(f.engine->Formata(31.25, "X"), QStringLiteral("31")); // only "x" is X
    f.c.Combo3->setCurrentIndex(2);
    QCOMPARE(f.engine->Formata(7, "x"), QStringLiteral("7.00"));
    f.c.Combo4->setCurrentIndex(-1);
    QCOMPARE(f.engine->Formata(7, "y"), QString());
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(f.engine->Formata(7, "x"), QStringLiteral("7,00"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestChartEngine::settingsListsRedraw()
{
    ChartFixture f;
    plotRamp(f);
    QCOMPARE(f.state.chart.divisionsX, 8);
    f.c.Combo1->setCurrentIndex(3); // "4"
    QCOMPARE(f.state.chart.divisionsX, 4);
    f.c.Combo2->setCurrentIndex(19); // "20"
    QCOMPARE(f.state.chart.divisionsY, 20);
    f.c.Combo3->setCurrentIndex(0);
    QCOMPARE(f.c.TextEsc[2]->text(), QStringLiteral("9"));
}

void TestChartEngine::zeroRangeDrawsAroundTheValue()
{
    ChartFixture f;
    f.addDataSet(flat(25), flat(100));
    f.engine->reFaz(true);
    QCOMPARE(f.state.chart.scaleMinX, 25.0);
    QCOMPARE(f.state.chart.scaleMaxX, 25.0);
    // The single point sits in the middle of the plotting area.
    QCOMPARE(f.c.Picture4->pixel(180, 148), red);
    f.c.Option3->setChecked(true);
    QCOMPARE(f.c.Picture4->pixel(ChartFixture::px(5400 / 24), 148), red);
}

void TestChartEngine::cellThatIsNotANumberKeepsThePreviousPoint()
{
    ChartFixture f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.addDataSet(ramp(12, 25), ramp(10, 100));
    f.c.Grid2->setText(1, 3, QStringLiteral("?"));
    f.engine->reFaz(true);
    QCOMPARE(f.state.chart.plotTemp[1], 10.0);
    QCOMPARE(f.state.chart.plotTemp[13], 10.0);
    QCOMPARE(f.state.chart.plotPrec[1], 10.0);
}

// --- Pixels ----------------------------------------------------------------

void TestChartEngine::markersSitOnTheMappedPoints_data()
{
    QTest::addColumn<int>("markerSize");
    QTest::newRow("size 1") << 1;
    QTest::newRow("size 3") << 3;
}

void TestChartEngine::markersSitOnTheMappedPoints()
{
    QFETCH(int, markerSize);
    ChartFixture f;
    f.state.setMarkerSize[1] = markerSize;
    f.addDataSet(ChartFixture::mediterraneanTemps(), ChartFixture::mediterraneanPrecs());
    f.engine->reFaz(true);
    const PlotMapping map = mappingOf(f.state.chart);
    const int r = 2 * markerSize;
    for (int m = 0; m < 12; ++m) {
        const int x = ChartFixture::px(map.x(ChartFixture::mediterraneanTemps()[m]));
        const int y = ChartFixture::px(map.y(ChartFixture::mediterraneanPrecs()[m]));
        // The whole disc is the data set's colour.
        for (const QPoint d : {QPoint(0, 0), QPoint(r, 0), QPoint(-r, 0), QPoint(0, r), QPoint(0, -r)})
            QCOMPARE(f.c.Picture4->pixel(x + d.x(), y + d.y()), red);
    }
}

void TestChartEngine::gridLines_data()
{
    QTest::addColumn<bool>("gridX");
    QTest::addColumn<bool>("gridY");
    QTest::addColumn<int>("ticksIndex"); // Combo1 and Combo2
    QTest::addColumn<bool>("normal");
    QTest::newRow("both, default") << true << true << 0 << false;
    QTest::newRow("none") << false << false << 0 << false;
    QTest::newRow("only horizontal") << false << true << 0 << false;
    QTest::newRow("only vertical, 4 ticks") << true << false << 3 << false;
    QTest::newRow("normal kind, 20 ticks") << true << true << 19 << true;
}

void TestChartEngine::gridLines()
{
    QFETCH(bool, gridX);
    QFETCH(bool, gridY);
    QFETCH(int, ticksIndex);
    QFETCH(bool, normal);
    ChartFixture f;
    f.c.GridX->setChecked(gridX);
    f.c.GridY->setChecked(gridY);
    f.c.Combo1->setCurrentIndex(ticksIndex);
    f.c.Combo2->setCurrentIndex(ticksIndex);
    f.c.Option3->setChecked(normal);
    f.state.setMarkerSize[1] = 0;
    f.addDataSet(ChartFixture::tropicalTemps(), ChartFixture::tropicalPrecs());
    f.engine->reFaz(true);

    const PictureBox *plot = f.c.Picture4;
    const int divisions = ticksIndex == 0 ? 8 : ticksIndex + 1;
    const int columns = normal ? 12 : divisions;
    QSet<int> gridColumns, gridRows;
    if (gridX) {
        for (int k = 0; k <= columns; ++k)
            gridColumns << ChartFixture::px(k * 5400.0 / columns);
    }
    if (gridY) {
        for (int k = 0; k <= divisions; ++k)
            gridRows << ChartFixture::px(4440 - k * 4440.0 / divisions);
    }
    // Grey only on grid lines; each line grey over most of its length (data
    // may cross it).
    for (int x = 0; x < 360; ++x) {
        const qint64 greys = count(plot, grey, QRect(x, 0, 1, 296));
        if (gridColumns.contains(x))
            QVERIFY2(greys > 250, qPrintable(QString("column %1").arg(x)));
        else if (!gridRows.isEmpty())
            QVERIFY(greys <= gridRows.size());
        else
            QCOMPARE(greys, qint64(0));
    }
    for (int y = 0; y < 296; ++y) {
        const qint64 greys = count(plot, grey, QRect(0, y, 360, 1));
        if (gridRows.contains(y))
            QVERIFY2(greys > 300, qPrintable(QString("row %1").arg(y)));
        else if (gridRows.isEmpty() && gridColumns.isEmpty())
            QCOMPARE(greys, qint64(0));
    }
}

void TestChartEngine::laterGridLiesOverEarlierSets()
{
    // Two horizontal "polygons" crossing the vertical grid line at 45 px:
    // the first is crossed by the grey line of the second pass, the second
    // lies over it.
    ChartFixture f;
    f.program.setColorTable[2] = blue;
    f.state.setMarkerSize[1] = f.state.setMarkerSize[2] = 0;
    f.state.setLineWidth[1] = f.state.setLineWidth[2] = 3;
    f.addDataSet(ramp(10, 30), flat(50));
    f.addDataSet(ramp(10, 30), flat(150));
    f.engine->Option1_Click(4);
    f.engine->reFaz(true);
    const PlotMapping map = mappingOf(f.state.chart);
    const int first = ChartFixture::px(map.y(50));
    const int second = ChartFixture::px(map.y(150));
    QCOMPARE(f.c.Picture4->pixel(45, first), grey);
    QCOMPARE(f.c.Picture4->pixel(44, first), red);
    QCOMPARE(f.c.Picture4->pixel(45, second), blue);
}

void TestChartEngine::thresholdLine()
{
    ChartFixture f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.c.ChkLimY->setChecked(true);
    f.c.txtLimInfY->setText(QStringLiteral("30"));
    f.engine->reFaz(true);
    const int row = ChartFixture::px(mappingOf(f.state.chart).y(30));
    QVERIFY(count(f.c.Picture4, black, QRect(0, row, 360, 1)) > 340);
    QCOMPARE(count(f.c.Picture4, black), count(f.c.Picture4, black, QRect(0, row, 360, 1)));

    // X thresholds: both boxes; a box that is not a number draws nothing.
    f.c.ChkLimY->setChecked(false);
    f.c.ChkLimX->setChecked(true);
    f.c.txtLimInfX->setText(QStringLiteral("20"));
    f.c.TxtLimSupX->setText(QStringLiteral("warm"));
    f.engine->reFaz(false);
    const int column = ChartFixture::px(mappingOf(f.state.chart).x(20));
    QVERIFY(count(f.c.Picture4, black, QRect(column, 0, 1, 296)) > 280);
    QCOMPARE(count(f.c.Picture4, black), count(f.c.Picture4, black, QRect(column, 0, 1, 296)));

    // The "Normal" kind draws none.
    f.c.Option3->setChecked(true);
    QCOMPARE(count(f.c.Picture4, black), qint64(0));
}

void TestChartEngine::barsStandSideBySide()
{
    ChartFixture f;
    f.c.Option3->setChecked(true);
    for (int n = 1; n <= 3; ++n)
        f.addDataSet(ramp(10, 30), flat(100 + n));
    f.engine->reFaz(true);
    // In each month the third, second and first set start 30, 120 and 210
    // twips right of the month start; a bar is 60 twips (4 pixels) wide.
    const int y = 290;
    for (int month = 0; month < 12; ++month) {
        const double start = month * 450.0;
        const int third = ChartFixture::px(start + 30);
        const int second = ChartFixture::px(start + 120);
        const int first = ChartFixture::px(start + 210);
        QCOMPARE(f.c.Picture4->pixel(third, y), blue);
        QCOMPARE(f.c.Picture4->pixel(third + 3, y), blue);
        QCOMPARE(f.c.Picture4->pixel(second, y), green);
        QCOMPARE(f.c.Picture4->pixel(first, y), red);
        QCOMPARE(f.c.Picture4->pixel(first + 3, y), red);
        QCOMPARE(f.c.Picture4->pixel(first + 4, y), white);
    }
}

void TestChartEngine::lineTypeOneGivesHollowBarsAndDashedPolygon()
{
    ChartFixture solid, dashed;
    dashed.state.setLineStyle[1] = 1;
    for (ChartFixture *f : {&solid, &dashed}) {
        f->addDataSet(ChartFixture::continentalTemps(), ChartFixture::continentalPrecs());
        f->engine->Option1_Click(4);
        f->engine->reFaz(true);
    }
    // The dashed polygon leaves gaps: fewer pixels of the data set's colour.
    const qint64 solidPixels = count(solid.c.Picture4, red);
    const qint64 dashedPixels = count(dashed.c.Picture4, red);
    QVERIFY2(dashedPixels < solidPixels - 100, qPrintable(QString("%1 %2").arg(dashedPixels).arg(solidPixels)));

    // One data set alone: its bar starts 10 twips into the month; hollow
    // inside, outlined in its colour.
    solid.c.Option3->setChecked(true);
    dashed.c.Option3->setChecked(true);
    const int left = ChartFixture::px(10);
    const int y = 290;
    QCOMPARE(solid.c.Picture4->pixel(left + 1, y), red);
    QCOMPARE(dashed.c.Picture4->pixel(left, y), red);
    QCOMPARE(dashed.c.Picture4->pixel(left + 1, y), white);
    QCOMPARE(dashed.c.Picture4->pixel(left + 2, y), white);
    QCOMPARE(dashed.c.Picture4->pixel(left + 3, y), red);
}

void TestChartEngine::monthLabelStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("January") << 0
                             << QStringList{"January", "February", "March", "April", "May", "June", "July",
                                            " Agust", "September", "October", " November", "Dicember"};
    QTest::newRow("Jan") << 1
                         << QStringList{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Agu", "Sep", "Oct",
                                        "Nov", "Dic"};
    QTest::newRow("J") << 2 << QStringList{"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
    QTest::newRow("1") << 3 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    QTest::newRow("Null") << 4 << QStringList{"", "", "", "", "", "", "", "", "", "", "", ""};
}

void TestChartEngine::monthLabelStyles()
{
    QFETCH(int, style);
    QFETCH(QStringList, labels);
    ChartFixture f;
    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.c.Option1[style]->setChecked(true);
    if (style == 1)
        f.engine->Option1_Click(1);
    for (int m = 1; m <= 12; ++m) {
        QCOMPARE(f.state.chart.monthLabel[m], labels[m - 1]);
        QCOMPARE(f.c.Grid2->text(m, 0), labels[m - 1]);
    }
    QCOMPARE(f.state.chart.monthLabel[13], labels[0]);
}

void TestChartEngine::nullLabelsLeaveNoText()
{
    // With empty labels every pixel of the data set's colour lies on the
    // polygon or a marker; with three-letter labels some lie beside them.
    const Months temps = ChartFixture::mediterraneanTemps();
    const Months precs = ChartFixture::mediterraneanPrecs();
    for (const int style : {1, 4}) {
        ChartFixture f;
        f.addDataSet(temps, precs);
        f.engine->Option1_Click(style);
        f.engine->reFaz(true);
        const PlotMapping map = mappingOf(f.state.chart);
        QList<QPointF> points;
        for (int m = 0; m <= 12; ++m)
            points << QPointF(map.x(temps[m % 12]) / 15, map.y(precs[m % 12]) / 15);
        int farPixels = 0;
        for (int y = 0; y < 296; ++y) {
            for (int x = 0; x < 360; ++x) {
                if (f.c.Picture4->pixel(x, y) == white || f.c.Picture4->pixel(x, y) == grey)
                    continue;
                double nearest = 1e9;
                for (int i = 0; i < 12; ++i) {
                    const QPointF a = points[i], b = points[i + 1], p(x, y);
                    const QPointF ab = b - a;
                    const double length = QPointF::dotProduct(ab, ab);
                    const double t = length > 0 ? qBound(0.0, QPointF::dotProduct(p - a, ab) / length, 1.0) : 0;
                    const QPointF d = p - (a + t * ab);
                    nearest = std::min(nearest, std::hypot(d.x(), d.y()));
                }
                farPixels += nearest > 3;
            }
        }
        if (style == 4)
            QCOMPARE(farPixels, 0);
        else
            QVERIFY(farPixels > 100);
    }
}

void TestChartEngine::noCheckedSetClearsOnlyThePlottingArea()
{
    ChartFixture f;
    plotRamp(f);
    const QImage axes = f.c.Picture1->image();
    QVERIFY(count(f.c.Picture1, white) < 460 * 355 - 200);
    QVERIFY(count(f.c.Picture4, red) > 100);
    f.setChecked(1, false);
    f.engine->reFaz(true);
    QCOMPARE(count(f.c.Picture4, white), qint64(360 * 296));
    QCOMPARE(f.c.Picture1->image(), axes);
    QVERIFY(near(f.state.chart.scaleMaxX, 31));
}

void TestChartEngine::axisLabelsStayOutsideThePlottingArea()
{
    for (const bool normal : {false, true}) {
        ChartFixture f;
        f.c.Option3->setChecked(normal);
        f.c.Option1[0]->setChecked(true);
        f.addDataSet(ChartFixture::continentalTemps(), ChartFixture::continentalPrecs());
        f.engine->reFaz(true);
        // The plotting area covers 48..407 × 32..327 of the chart picture;
        // ticks end on its edges, labels keep clear of it.
        QCOMPARE(count(f.c.Picture1, white, QRect(49, 33, 358, 294)), qint64(358 * 294));
        QVERIFY(count(f.c.Picture1, white, QRect(0, 0, 48, 355)) < 48 * 355); // left labels
        QVERIFY(count(f.c.Picture1, white, QRect(48, 331, 360, 24)) < 360 * 24); // bottom labels
        if (normal) // right axis labels
            QVERIFY(count(f.c.Picture1, white, QRect(411, 0, 49, 300)) < 49 * 300);
    }
}

void TestChartEngine::chartKindTitleAndLegend()
{
    ChartFixture f;
    f.window.show();
    // Before any data set: only the thresholds frame follows the kind.
    f.c.Option3->setChecked(true);
    QVERIFY(!f.c.Frame5->isEnabled());
    QCOMPARE(count(f.c.Picture1, white), qint64(460 * 355));
    f.c.Option2->setChecked(true);
    QVERIFY(f.c.Frame5->isEnabled());

    f.addDataSet(ramp(10, 30), ramp(0, 200));
    f.c.Option3->setChecked(true);
    QVERIFY(count(f.c.Picture4, red) > 0);

    f.c.TxTitulo->setText(QStringLiteral("Three places"));
    f.c.Check1->setChecked(false);
    QVERIFY(!f.c.TxTitulo->isVisible());
    f.c.Check1->setChecked(true);
    QVERIFY(f.c.TxTitulo->isVisible());
    QCOMPARE(f.c.TxTitulo->text(), QStringLiteral("Three places"));
    f.c.ChkLegenda->setChecked(false);
    QVERIFY(!f.c.Frame4->isVisible());
    f.c.ChkLegenda->setChecked(true);
    QVERIFY(f.c.Frame4->isVisible());
}

// With TERVALO_CHART_PNG_DIR set, both chart kinds with three places are
// written there as PNG files to look at.
void TestChartEngine::writePictures()
{
    const QString folder = qEnvironmentVariable("TERVALO_CHART_PNG_DIR");
    if (folder.isEmpty())
        QSKIP("TERVALO_CHART_PNG_DIR not set");
    for (const bool normal : {false, true}) {
        ChartFixture f;
        f.window.show();
        f.state.setLineStyle[3] = 1;
        f.state.setLineWidth[2] = 2;
        f.state.setMarkerSize[1] = 2;
        f.addDataSet(ChartFixture::tropicalTemps(), ChartFixture::tropicalPrecs());
        f.addDataSet(ChartFixture::mediterraneanTemps(), ChartFixture::mediterraneanPrecs());
        f.addDataSet(ChartFixture::continentalTemps(), ChartFixture::continentalPrecs());
        f.c.ChkLimY->setChecked(true);
        f.c.txtLimInfY->setText(QStringLiteral("30"));
        f.c.Option3->setChecked(normal);
        f.engine->reFaz(true);
        QVERIFY(f.c.Picture1->grab().save(folder + (normal ? "/chart-normal.png" : "/chart-climate.png")));
    }
}

QTEST_MAIN(TestChartEngine)
#include "tst_chartengine.moc"
