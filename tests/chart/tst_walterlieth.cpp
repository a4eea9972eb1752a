// SPDX-License-Identifier: GPL-3.0-or-later
// The Walter–Lieth diagram: its two matched scales, the seasons between the
// curves, the month it starts with, and real stations of the library drawn
// and read back from the pixels at the months' middles.
#include "chart/ChartRenderer.h"
#include "chart/MonthLabels.h"
#include "chart/WalterLiethRenderer.h"
#include "chart/WalterLiethScale.h"
#include "common/RecordingCanvas.h"
#include "common/TestPaths.h"
#include "data/StationTable.h"
#include "data/Twips.h"
#include "platform/PainterCanvas.h"
#include "platform/RasterCanvas.h"

#include <QPainter>
#include <QTest>

#include <cmath>
#include <optional>

namespace WL = WalterLiethScale;
using R = WalterLiethRenderer;

namespace {

WL::Months months(std::initializer_list<double> values)
{
    WL::Months result{};
    int m = 1;
    for (const double v : values)
        result[m++] = v;
    return result;
}

WL::Shown shown(std::initializer_list<double> values)
{
    WL::Shown result{};
    std::copy(values.begin(), values.end(), result.begin());
    return result;
}

const WL::Months lisbonTemps = months({11.5, 12.3, 14.5, 15.8, 18.3, 20.9, 22.6, 23.2, 21.5, 18.7, 14.7, 12.3});
const WL::Months sydneyTemps = months({23.5, 23.3, 21.9, 19.2, 16.2, 13.9, 13.1, 14.1, 16.7, 18.8, 20.4, 22.1});

WalterLiethPlace stationPlace(const QString &id)
{
    static const StationTable::ReadResult table =
        StationTable::readStationTable(TestPaths::sourceDir() + QStringLiteral("/resources/stations/stations.csv"));
    for (const Station &station : table.stations) {
        if (station.id != id)
            continue;
        const DataSet set = StationTable::dataSet(station);
        WalterLiethPlace place;
        place.name = set.name;
        place.info = set.info;
        for (int m = 1; m <= 12; ++m) {
            place.temp[m] = set.temp[m];
            place.prec[m] = set.ppt[m];
        }
        return place;
    }
    return {};
}

WalterLiethSettings defaults()
{
    WalterLiethSettings settings;
    settings.monthLabel = MonthLabels::of(MonthLabels::initialStyle);
    return settings;
}

// A chart picture of the design's size, cleared as the window clears it.
struct Picture
{
    RasterCanvas canvas{QSize(460, 355)};
    Picture()
    {
        canvas.setTextFont(ChartRenderer::labelFont());
        canvas.clear();
    }
    QRectF area() const { return QRectF(0, 0, canvas.innerWidth(), canvas.innerHeight()); }
};

// Pixels of `colour` in the columns within 3 pixels of the middle of the
// diagram's column `column`, over the whole plotting area.
qint64 atColumn(const RasterCanvas &canvas, const WalterLiethDiagram &diagram, int column, qint32 colour)
{
    const QRectF plot = diagram.plot;
    const int middle = Twips::toPixels(plot.left() + (column + 0.5) * plot.width() / 12);
    const int top = Twips::toPixels(plot.top());
    const int bottom = Twips::toPixels(plot.bottom());
    return canvas.countPixels(colour, QRect(middle - 3, top, 7, bottom - top));
}

} // namespace

class TestWalterLieth : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void precipitationScale_data();
    void precipitationScale();
    void chartExtent_data();
    void chartExtent();
    void crossingsAreInterpolated_data();
    void crossingsAreInterpolated();
    void firstMonth_data();
    void firstMonth();

    void stationsOnThePixels_data();
    void stationsOnThePixels();
    void blackAndWhiteHasNoColour();
    void paperDrawsTheScreensSeasons();
    void moreThanFourPlaces();
};

void TestWalterLieth::precipitationScale_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<double>("level");
    QTest::newRow("none") << 0.0 << 0.0;
    QTest::newRow("20 mm as high as 10 °C") << 20.0 << 10.0;
    QTest::newRow("100 mm, where the compression starts") << 100.0 << 50.0;
    QTest::newRow("just above 100 mm") << 120.0 << 51.0;
    QTest::newRow("300 mm one step above") << 300.0 << 60.0;
    QTest::newRow("500 mm two steps above") << 500.0 << 70.0;
}

// Both ways: a height read back gives the precipitation drawn there.
void TestWalterLieth::precipitationScale()
{
    QFETCH(double, mm);
    QFETCH(double, level);
    QCOMPARE(WL::level(mm), level);
    QCOMPARE(WL::precipitationAt(level), mm);
}

void TestWalterLieth::chartExtent_data()
{
    QTest::addColumn<WL::Months>("temp");
    QTest::addColumn<WL::Months>("prec");
    QTest::addColumn<double>("fixedTop");   // NaN: none
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("top");
    const double none = std::nan("");
    WL::Months dry{};
    WL::Months hundred{};
    hundred.fill(100);
    WL::Months justAbove = hundred;
    justAbove[7] = 101;
    QTest::newRow("mild and dry: 0 to 50") << lisbonTemps << dry << none << 0.0 << 50.0;
    QTest::newRow("100 mm fits under 50") << lisbonTemps << hundred << none << 0.0 << 50.0;
    QTest::newRow("101 mm takes the next 200 mm step") << lisbonTemps << justAbove << none << 0.0 << 60.0;
    QTest::newRow("frost to the next 10 below")
        << months({-46.8, -42, -30, -13, 2, 12, 15, 11, 2, -14, -34, -45}) << dry << none << -50.0 << 50.0;
    QTest::newRow("a coldest month on a label") << months({-10, 0, 5, 10, 15, 20, 20, 15, 10, 5, 0, -5}) << dry << none
                                                << -10.0 << 50.0;
    QTest::newRow("monsoon: 2936 mm")
        << lisbonTemps << months({15, 43, 249, 603, 1000, 2604, 2936, 1749, 1048, 435, 49, 23}) << none << 0.0
        << 200.0;
    QTest::newRow("a precipitation under 0, an error drawn all the same")
        << lisbonTemps << months({-30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) << none << -20.0 << 50.0;
    QTest::newRow("a fixed top above the data") << lisbonTemps << justAbove << 80.0 << 0.0 << 80.0;
    QTest::newRow("a fixed top too low for the data") << lisbonTemps << justAbove << 50.0 << 0.0 << 60.0;
}

void TestWalterLieth::chartExtent()
{
    QFETCH(WL::Months, temp);
    QFETCH(WL::Months, prec);
    QFETCH(double, fixedTop);
    QFETCH(double, bottom);
    QFETCH(double, top);
    QCOMPARE(WL::bottom(temp, prec), bottom);
    QCOMPARE(WL::top(temp, prec, std::isnan(fixedTop) ? std::nullopt : std::optional<double>(fixedTop)), top);
}

void TestWalterLieth::crossingsAreInterpolated_data()
{
    QTest::addColumn<WL::Shown>("precipitation");
    QTest::addColumn<WL::Shown>("temperature");
    // Per area, humid ones first: its extent from the left (column units,
    // month k's middle at k + 0.5) and the height of its left and right end.
    QTest::addColumn<QList<QRectF>>("humid");
    QTest::addColumn<QList<QRectF>>("arid");

    // Month 1 humid (30 over 10), month 2 arid (10 under 20): the curves
    // cross two thirds of the way, at 16.67 on both.
    const double x = 0.5 + 2.0 / 3;
    const double y = 10 + 20.0 / 3;
    QTest::newRow("one crossing")
        << shown({30, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10})
        << shown({10, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20})
        << QList<QRectF>{QRectF(QPointF(0.5, 30), QPointF(x, y))}
        << QList<QRectF>{QRectF(QPointF(x, y), QPointF(11.5, 20))};
    // Meeting exactly on month 3 and parting again: two areas with a corner
    // there, no sliver of zero width.
    QTest::newRow("touching on a month")
        << shown({30, 30, 20, 30, 30, 30, 30, 30, 30, 30, 30, 30}) << shown({20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20})
        << QList<QRectF>{QRectF(QPointF(0.5, 30), QPointF(2.5, 20)), QRectF(QPointF(2.5, 20), QPointF(11.5, 30))}
        << QList<QRectF>{};
    QTest::newRow("humid all year, from the first month's middle to the last's")
        << shown({60, 50, 40, 40, 40, 40, 40, 40, 40, 40, 40, 45}) << shown({20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20})
        << QList<QRectF>{QRectF(QPointF(0.5, 60), QPointF(11.5, 45))} << QList<QRectF>{};
}

// Each area's first point lies at its left end and the point where it turns
// back along the lower curve at its right end; a crossing is a corner of
// both areas it separates, on both curves.
void TestWalterLieth::crossingsAreInterpolated()
{
    QFETCH(WL::Shown, precipitation);
    QFETCH(WL::Shown, temperature);
    QFETCH(QList<QRectF>, humid);
    QFETCH(QList<QRectF>, arid);
    const auto check = [](const std::vector<QPolygonF> &areas, const QList<QRectF> &expected) {
        QCOMPARE(static_cast<int>(areas.size()), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QRectF &ends = expected[i];
            QCOMPARE(areas[i].boundingRect().left(), ends.left());
            QCOMPARE(areas[i].boundingRect().right(), ends.right());
            QVERIFY(qFuzzyCompare(areas[i].first().y(), ends.top()));
            const auto rightEnd = [&](const QPointF &p) {
                return qFuzzyCompare(p.x(), ends.right()) && qFuzzyCompare(p.y(), ends.bottom());
            };
            QVERIFY(std::any_of(areas[i].begin(), areas[i].end(), rightEnd));
        }
    };
    check(WL::areasAbove(precipitation, temperature), humid);
    check(WL::areasAbove(temperature, precipitation), arid);
}

void TestWalterLieth::firstMonth_data()
{
    QTest::addColumn<int>("order");        // MonthOrder
    QTest::addColumn<double>("latitude");  // NaN: unknown
    QTest::addColumn<WL::Months>("temp");
    QTest::addColumn<int>("first");
    const double unknown = std::nan("");
    const int automatic = int(MonthOrder::Automatic);
    QTest::newRow("south by latitude") << automatic << -33.9 << lisbonTemps << 7;
    QTest::newRow("north by latitude") << automatic << 38.7 << sydneyTemps << 1;
    QTest::newRow("the equator counts as north") << automatic << 0.0 << sydneyTemps << 1;
    QTest::newRow("no latitude, warmer December to February") << automatic << unknown << sydneyTemps << 7;
    QTest::newRow("no latitude, warmer June to August") << automatic << unknown << lisbonTemps << 1;
    QTest::newRow("no latitude, no seasons") << automatic << unknown << WL::Months{} << 1;
    QTest::newRow("January first, south") << int(MonthOrder::JanuaryFirst) << -33.9 << sydneyTemps << 1;
    QTest::newRow("July first, north") << int(MonthOrder::JulyFirst) << 38.7 << lisbonTemps << 7;
}

void TestWalterLieth::firstMonth()
{
    QFETCH(int, order);
    QFETCH(double, latitude);
    QFETCH(WL::Months, temp);
    QFETCH(int, first);
    const std::optional<double> known = std::isnan(latitude) ? std::nullopt : std::optional<double>(latitude);
    QCOMPARE(WL::firstMonth(MonthOrder(order), known, temp), first);
    // Shown from that month on.
    QCOMPARE(WL::inOrder(temp, first)[0], temp[first]);
    QCOMPARE(WL::inOrder(temp, first)[11], temp[first == 1 ? 12 : 6]);
}

void TestWalterLieth::stationsOnThePixels_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("first");
    // January to December: A arid (dots), H humid (hatching), W humid with
    // the solid fill above 100 mm.
    QTest::addColumn<QString>("seasons");
    QTest::newRow("Cairo, arid all year") << "62366" << 1 << "AAAAAAAAAAAA";
    QTest::newRow("Singapore, wet all year") << "48698R2" << 1 << "WWWWWWWWWWWW";
    QTest::newRow("Lisbon 1991-2020, dry summer") << "08535R2" << 1 << "HHHHHAAAAWWH";
    QTest::newRow("Sydney 1991-2020, from July") << "94767R2" << 7 << "HWHHHWHHHHHH";
}

void TestWalterLieth::stationsOnThePixels()
{
    QFETCH(QString, id);
    QFETCH(int, first);
    QFETCH(QString, seasons);
    const WalterLiethPlace place = stationPlace(id);
    QVERIFY(place.info.latitude);
    Picture picture;
    const std::vector<WalterLiethDiagram> drawn = R::draw(defaults(), {place}, picture.canvas, picture.area());
    QCOMPARE(drawn.size(), std::size_t(1));
    QCOMPARE(drawn[0].firstMonth, first);
    for (int month = 1; month <= 12; ++month) {
        const int column = (month - first + 12) % 12;
        const qint64 humid = atColumn(picture.canvas, drawn[0], column, R::humidColour);
        const qint64 arid = atColumn(picture.canvas, drawn[0], column, R::aridColour);
        const qint64 wet = atColumn(picture.canvas, drawn[0], column, R::wetColour);
        const QChar expected = seasons[month - 1];
        const QString where = QStringLiteral("month %1: humid %2, arid %3, wet %4").arg(month).arg(humid).arg(arid).arg(wet);
        QVERIFY2((arid > 0) == (expected == u'A'), qPrintable(where));
        QVERIFY2((humid > 0) == (expected != u'A'), qPrintable(where));
        QVERIFY2((wet > 0) == (expected == u'W'), qPrintable(where));
    }
}

// Nothing rests on colour: every pixel grey, the seasons told apart by
// pattern (dots, hatching, grey fill).
void TestWalterLieth::blackAndWhiteHasNoColour()
{
    WalterLiethSettings settings = defaults();
    settings.blackWhite = true;
    Picture picture;
    const std::vector<WalterLiethDiagram> drawn =
        R::draw(settings, {stationPlace("08535R2")}, picture.canvas, picture.area());
    const QImage &image = picture.canvas.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            QVERIFY2(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p), qPrintable(QString("%1, %2").arg(x).arg(y)));
        }
    QVERIFY(atColumn(picture.canvas, drawn[0], 6, 0) > 10);            // July: dots
    QVERIFY(atColumn(picture.canvas, drawn[0], 10, R::wetGrey) > 0);   // November: the fill
}

// Printed or saved, the patterns are the screen's: the same diagram through
// a painter on an image at 1× covers nearly the same pixels with each.
void TestWalterLieth::paperDrawsTheScreensSeasons()
{
    const WalterLiethPlace lisbon = stationPlace("08535R2");
    Picture screen;
    R::draw(defaults(), {lisbon}, screen.canvas, screen.area());

    QImage image(screen.canvas.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    PainterCanvas paper(painter, image.size());
    paper.setTextFont(ChartRenderer::labelFont());
    paper.clear();
    RecordingCanvas recorded(paper);
    R::draw(defaults(), {lisbon}, recorded, screen.area());
    painter.end();
    QCOMPARE(recorded.polygons, 4);   // one humid area each side of the summer, the summer, the wet band

    // The patterns pixel for pixel but for their edges; the solid band,
    // smoothed on paper, keeps at least half its pixels unblended.
    for (const qint32 colour : {R::humidColour, R::aridColour, R::wetColour}) {
        const QRgb wanted = qRgb(Rgb::red(colour), Rgb::green(colour), Rgb::blue(colour));
        qint64 onPaper = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                onPaper += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
        const qint64 onScreen = screen.canvas.countPixels(colour, QRect(QPoint(0, 0), image.size()));
        const qint64 tolerance = colour == R::wetColour ? onScreen / 2 : onScreen / 10;
        QVERIFY2(onScreen > 20 && std::abs(onPaper - onScreen) <= tolerance,
                 qPrintable(QString("%1 on the screen, %2 on paper").arg(onScreen).arg(onPaper)));
    }
}

// Four diagrams at most, in a 2 × 2 grid, and a line for the rest.
void TestWalterLieth::moreThanFourPlaces()
{
    Picture picture;
    RecordingCanvas recorded(picture.canvas);
    const std::vector<WalterLiethPlace> six(6, stationPlace("62366"));
    const std::vector<WalterLiethDiagram> drawn = R::draw(defaults(), six, recorded, picture.area());
    QCOMPARE(drawn.size(), std::size_t(4));
    QCOMPARE(drawn[1].plot.top(), drawn[0].plot.top());
    QCOMPARE(drawn[2].plot.left(), drawn[0].plot.left());
    QVERIFY(drawn[2].plot.top() > drawn[0].plot.bottom());
    bool noted = false;
    for (const RecordingCanvas::Text &text : recorded.texts)
        noted = noted || text.text == R::notShownText(2);
    QVERIFY(noted);
}

QTEST_MAIN(TestWalterLieth)
#include "tst_walterlieth.moc"
