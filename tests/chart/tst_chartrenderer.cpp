// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartValuesFixture.h"

#include "common/RecordingCanvas.h"
#include "platform/PainterCanvas.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <cmath>

namespace {

using Months = ChartValuesFixture::Months;
using Fixture = ChartValuesFixture;

const qint32 white = Rgb::pack(255, 255, 255);
const qint32 black = 0;
const qint32 grey = Rgb::pack(180, 180, 180);
// Red, green and blue are the default colours of data sets 1, 2 and 3.
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

// Pixels of `colour` in a rectangle of a canvas.
qint64 count(const RasterCanvas &canvas, qint32 colour, const QRect &area = QRect(0, 0, 10000, 10000))
{
    return canvas.countPixels(colour, area);
}

} // namespace

class TestChartRenderer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void markersSitOnTheMappedPoints_data();
    void markersSitOnTheMappedPoints();
    void gridLines_data();
    void gridLines();
    void laterGridLiesOverEarlierSets();
    void thresholdLine();
    void barsStandSideBySide();
    void lineTypeOneGivesHollowBarsAndDashedPolygon();
    void nullLabelsLeaveNoText();
    void axisLabelsStayOutsideThePlottingArea();

    void painterPathDrawsWhatTheScreenDraws_data();
    void painterPathDrawsWhatTheScreenDraws();

    void writePictures();
};

void TestChartRenderer::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestChartRenderer::markersSitOnTheMappedPoints_data()
{
    QTest::addColumn<int>("markerSize");
    QTest::newRow("size 1") << 1;
    QTest::newRow("size 3") << 3;
}

void TestChartRenderer::markersSitOnTheMappedPoints()
{
    QFETCH(int, markerSize);
    Fixture f;
    f.add(Fixture::mediterraneanTemps(), Fixture::mediterraneanPrecs()).style.markerSize = markerSize;
    f.draw();
    const PlotMapping map = f.mapping();
    const int r = 2 * markerSize;
    for (int m = 0; m < 12; ++m) {
        const int x = Fixture::px(map.x(Fixture::mediterraneanTemps()[m]));
        const int y = Fixture::px(map.y(Fixture::mediterraneanPrecs()[m]));
        // The whole disc is the data set's colour.
        for (const QPoint d : {QPoint(0, 0), QPoint(r, 0), QPoint(-r, 0), QPoint(0, r), QPoint(0, -r)})
            QCOMPARE(f.plot.pixel(x + d.x(), y + d.y()), red);
    }
}

void TestChartRenderer::gridLines_data()
{
    QTest::addColumn<bool>("gridX");
    QTest::addColumn<bool>("gridY");
    QTest::addColumn<int>("ticksIndex"); // of the ticks lists
    QTest::addColumn<bool>("normal");
    QTest::newRow("both, default") << true << true << 0 << false;
    QTest::newRow("none") << false << false << 0 << false;
    QTest::newRow("only horizontal") << false << true << 0 << false;
    QTest::newRow("only vertical, 4 ticks") << true << false << 3 << false;
    QTest::newRow("normal kind, 20 ticks") << true << true << 19 << true;
}

void TestChartRenderer::gridLines()
{
    QFETCH(bool, gridX);
    QFETCH(bool, gridY);
    QFETCH(int, ticksIndex);
    QFETCH(bool, normal);
    Fixture f;
    const int divisions = ticksIndex == 0 ? 8 : ticksIndex + 1;
    f.settings.gridX = gridX;
    f.settings.gridY = gridY;
    f.settings.divisionsX = f.settings.divisionsY = divisions;
    f.settings.kind = normal ? ChartKind::Normal : ChartKind::Climate;
    f.add(Fixture::tropicalTemps(), Fixture::tropicalPrecs()).style.markerSize = 0;
    f.draw();

    const RasterCanvas &plot = f.plot;
    const int columns = normal ? 12 : divisions;
    QSet<int> gridColumns, gridRows;
    if (gridX) {
        for (int k = 0; k <= columns; ++k)
            gridColumns << Fixture::px(k * 5400.0 / columns);
    }
    if (gridY) {
        for (int k = 0; k <= divisions; ++k)
            gridRows << Fixture::px(4440 - k * 4440.0 / divisions);
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

void TestChartRenderer::laterGridLiesOverEarlierSets()
{
    // Two horizontal "polygons" crossing the vertical grid line at 45 px:
    // the first is crossed by the grey line of the second pass, the second
    // lies over it.
    Fixture f;
    f.settings.monthLabel = MonthLabels::of(4);
    for (const double precipitation : {50.0, 150.0}) {
        SeriesStyle &style = f.add(ramp(10, 30), flat(precipitation)).style;
        style.markerSize = 0;
        style.lineWidth = 3;
    }
    f.series[1].style.colour = blue;
    f.draw();
    const PlotMapping map = f.mapping();
    const int first = Fixture::px(map.y(50));
    const int second = Fixture::px(map.y(150));
    QCOMPARE(f.plot.pixel(45, first), grey);
    QCOMPARE(f.plot.pixel(44, first), red);
    QCOMPARE(f.plot.pixel(45, second), blue);
}

void TestChartRenderer::thresholdLine()
{
    Fixture f;
    f.add(ramp(10, 30), ramp(0, 200));
    f.settings.thresholdsY = {30};
    f.draw();
    const int row = Fixture::px(f.mapping().y(30));
    QVERIFY(count(f.plot, black, QRect(0, row, 360, 1)) > 340);
    QCOMPARE(count(f.plot, black), count(f.plot, black, QRect(0, row, 360, 1)));

    // X thresholds.
    f.settings.thresholdsY.clear();
    f.settings.thresholdsX = {20};
    f.draw();
    const int column = Fixture::px(f.mapping().x(20));
    QVERIFY(count(f.plot, black, QRect(column, 0, 1, 296)) > 280);
    QCOMPARE(count(f.plot, black), count(f.plot, black, QRect(column, 0, 1, 296)));

    // The "Normal" kind draws none.
    f.settings.kind = ChartKind::Normal;
    f.draw();
    QCOMPARE(count(f.plot, black), qint64(0));
}

void TestChartRenderer::barsStandSideBySide()
{
    Fixture f;
    f.settings.kind = ChartKind::Normal;
    for (int n = 1; n <= 3; ++n)
        f.add(ramp(10, 30), flat(100 + n));
    f.draw();
    // In each month the third, second and first set start 30, 120 and 210
    // twips right of the month start; a bar is 60 twips (4 pixels) wide.
    const int y = 290;
    for (int month = 0; month < 12; ++month) {
        const double start = month * 450.0;
        const int third = Fixture::px(start + 30);
        const int second = Fixture::px(start + 120);
        const int first = Fixture::px(start + 210);
        QCOMPARE(f.plot.pixel(third, y), blue);
        QCOMPARE(f.plot.pixel(third + 3, y), blue);
        QCOMPARE(f.plot.pixel(second, y), green);
        QCOMPARE(f.plot.pixel(first, y), red);
        QCOMPARE(f.plot.pixel(first + 3, y), red);
        QCOMPARE(f.plot.pixel(first + 4, y), white);
    }
}

void TestChartRenderer::lineTypeOneGivesHollowBarsAndDashedPolygon()
{
    Fixture solid, dashed;
    for (Fixture *f : {&solid, &dashed}) {
        f->settings.monthLabel = MonthLabels::of(4);
        f->add(Fixture::continentalTemps(), Fixture::continentalPrecs());
    }
    dashed.series[0].style.lineStyle = 1;
    solid.draw();
    dashed.draw();
    // The dashed polygon leaves gaps: fewer pixels of the data set's colour.
    const qint64 solidPixels = count(solid.plot, red);
    const qint64 dashedPixels = count(dashed.plot, red);
    QVERIFY2(dashedPixels < solidPixels - 100, qPrintable(QString("%1 %2").arg(dashedPixels).arg(solidPixels)));

    // One data set alone: its bar starts 10 twips into the month; hollow
    // inside, outlined in its colour.
    for (Fixture *f : {&solid, &dashed}) {
        f->settings.kind = ChartKind::Normal;
        f->draw();
    }
    const int left = Fixture::px(10);
    const int y = 290;
    QCOMPARE(solid.plot.pixel(left + 1, y), red);
    QCOMPARE(dashed.plot.pixel(left, y), red);
    QCOMPARE(dashed.plot.pixel(left + 1, y), white);
    QCOMPARE(dashed.plot.pixel(left + 2, y), white);
    QCOMPARE(dashed.plot.pixel(left + 3, y), red);
}

void TestChartRenderer::nullLabelsLeaveNoText()
{
    // With empty labels every pixel of the data set's colour lies on the
    // polygon or a marker; with three-letter labels some lie beside them.
    const Months temps = Fixture::mediterraneanTemps();
    const Months precs = Fixture::mediterraneanPrecs();
    for (const int style : {1, 4}) {
        Fixture f;
        f.settings.monthLabel = MonthLabels::of(style);
        f.add(temps, precs);
        f.draw();
        const PlotMapping map = f.mapping();
        QList<QPointF> points;
        for (int m = 0; m <= 12; ++m)
            points << QPointF(map.x(temps[m % 12]) / 15, map.y(precs[m % 12]) / 15);
        int farPixels = 0;
        for (int y = 0; y < 296; ++y) {
            for (int x = 0; x < 360; ++x) {
                if (f.plot.pixel(x, y) == white || f.plot.pixel(x, y) == grey)
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

void TestChartRenderer::axisLabelsStayOutsideThePlottingArea()
{
    for (const bool normal : {false, true}) {
        Fixture f;
        f.settings.kind = normal ? ChartKind::Normal : ChartKind::Climate;
        f.settings.monthLabel = MonthLabels::of(0);
        f.add(Fixture::continentalTemps(), Fixture::continentalPrecs());
        f.draw();
        // The plotting area covers 48..407 × 32..327 of the chart picture;
        // ticks end on its edges, labels keep clear of it.
        QCOMPARE(count(f.picture, white, QRect(49, 33, 358, 294)), qint64(358 * 294));
        QVERIFY(count(f.picture, white, QRect(0, 0, 48, 355)) < 48 * 355); // left labels
        QVERIFY(count(f.picture, white, QRect(48, 331, 360, 24)) < 360 * 24); // bottom labels
        if (normal) // right axis labels
            QVERIFY(count(f.picture, white, QRect(411, 0, 49, 300)) < 49 * 300);
    }
}

// --- The painter path ------------------------------------------------------

void TestChartRenderer::painterPathDrawsWhatTheScreenDraws_data()
{
    QTest::addColumn<bool>("normal");
    QTest::newRow("climate diagram") << false;
    QTest::newRow("normal") << true;
}

// The same chart through raster canvases and through painter canvases on an
// image at 1×: the same texts at the same places (within a pixel), the same
// number of lines, and nearly the same pixels of the data sets' colours.
void TestChartRenderer::painterPathDrawsWhatTheScreenDraws()
{
    QFETCH(bool, normal);
    Fixture f;
    f.settings.kind = normal ? ChartKind::Normal : ChartKind::Climate;
    f.settings.thresholdsY = {60};
    f.add(Fixture::tropicalTemps(), Fixture::tropicalPrecs());
    f.add(Fixture::mediterraneanTemps(), Fixture::mediterraneanPrecs()).style.lineStyle = 2;
    f.add(Fixture::continentalTemps(), Fixture::continentalPrecs()).style.lineWidth = 2;
    f.scale();

    RecordingCanvas screenPicture(f.picture), screenPlot(f.plot);
    ChartRenderer::draw(f.settings, f.series, &screenPicture, &screenPlot);

    QImage image(f.picture.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    PainterCanvas picture(painter, f.picture.size());
    PainterCanvas plot(painter, f.plot.size(), QPointF(48, 32));
    for (Canvas *canvas : {static_cast<Canvas *>(&picture), static_cast<Canvas *>(&plot)}) {
        canvas->setTextFont(ChartRenderer::labelFont());
        canvas->clear();
    }
    RecordingCanvas paperPicture(picture), paperPlot(plot);
    ChartRenderer::draw(f.settings, f.series, &paperPicture, &paperPlot);
    painter.end();

    for (const auto &[screen, paper] : {std::pair{&screenPicture, &paperPicture}, std::pair{&screenPlot, &paperPlot}}) {
        QCOMPARE(paper->lines, screen->lines);
        QCOMPARE(paper->texts.size(), screen->texts.size());
        for (int i = 0; i < screen->texts.size(); ++i) {
            QCOMPARE(paper->texts[i].text, screen->texts[i].text);
            const QPointF shift = paper->texts[i].topLeft - screen->texts[i].topLeft;
            QVERIFY2(std::abs(shift.x()) <= 1 && std::abs(shift.y()) <= 1, qPrintable(screen->texts[i].text));
        }
    }
    QVERIFY(screenPicture.texts.size() > 10);

    // The data sets' colours cover nearly the same pixels (smoothing and
    // dash phases differ a little).
    const auto near = [](const QImage &image, qint32 colour) {
        qint64 pixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                pixels += std::abs(qRed(p) - Rgb::red(colour)) + std::abs(qGreen(p) - Rgb::green(colour))
                              + std::abs(qBlue(p) - Rgb::blue(colour))
                          < 160;
            }
        }
        return pixels;
    };
    const QImage paperPlotPixels = image.copy(QRect(QPoint(48, 32), f.plot.size()));
    for (const qint32 colour : {red, green}) {
        const qint64 onScreen = near(f.plot.image(), colour);
        const qint64 onPaper = near(paperPlotPixels, colour);
        QVERIFY2(onScreen > 50 && std::abs(onPaper - onScreen) < onScreen / 2,
                 qPrintable(QString("%1 %2").arg(onScreen).arg(onPaper)));
    }
}

// With TERVALO_CHART_PNG_DIR set, both chart kinds with three places are
// written there as PNG files to look at.
void TestChartRenderer::writePictures()
{
    const QString folder = qEnvironmentVariable("TERVALO_CHART_PNG_DIR");
    if (folder.isEmpty())
        QSKIP("TERVALO_CHART_PNG_DIR not set");
    for (const bool normal : {false, true}) {
        Fixture f;
        f.add(Fixture::tropicalTemps(), Fixture::tropicalPrecs()).style.markerSize = 2;
        f.add(Fixture::mediterraneanTemps(), Fixture::mediterraneanPrecs()).style.lineWidth = 2;
        f.add(Fixture::continentalTemps(), Fixture::continentalPrecs()).style.lineStyle = 1;
        f.settings.thresholdsY = {30};
        f.settings.kind = normal ? ChartKind::Normal : ChartKind::Climate;
        f.draw();
        QImage chart = f.picture.image().copy();
        QPainter(&chart).drawImage(48, 32, f.plot.image());
        QVERIFY(chart.save(folder + (normal ? "/chart-normal.png" : "/chart-climate.png")));
    }
}

QTEST_MAIN(TestChartRenderer)
#include "tst_chartrenderer.moc"
