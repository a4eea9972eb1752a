// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Rgb.h"
#include "platform/RasterCanvas.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const qint32 white = Rgb::pack(255, 255, 255);
const qint32 red = Rgb::pack(255, 0, 0);
const qint32 blue = Rgb::pack(0, 0, 255);

// Pixels of `colour` in one row or column of the picture.
int countInRow(const RasterCanvas &surface, int y, qint32 colour)
{
    int count = 0;
    for (int x = 0; x < surface.width(); ++x)
        count += surface.pixel(x, y) == colour;
    return count;
}

} // namespace

class TestRasterCanvas : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sizesInBothUnits();
    void clearFillsWithTheBackground();
    void linesAreNotSmoothed();
    void lineStyles_data();
    void lineStyles();
    void lineWidthZeroDrawsOnePixel();
    void circles_data();
    void circles();
    void rectangleOnTheDevice_data();
    void rectangleOnTheDevice();
    void textIsMeasuredAndDrawn();
    void pixelOutsideIsMinusOne();
    void floodFillClosesOnAOnePixelCircle();
    void polygonOutlinesJoin_data();
    void polygonOutlinesJoin();
    void keepsDrawingAcrossResize();
    void aCopyOfTheImageKeepsItsPixels();
    void drawingOnAPictureOfNoSize();

private:
    void drawRedInPixels() { m_surface->setUnit(RasterCanvas::Unit::Pixels); m_surface->setDrawColour(red); }

    std::unique_ptr<RasterCanvas> m_surface;
};

void TestRasterCanvas::init()
{
    m_surface = std::make_unique<RasterCanvas>();
    m_surface->resize(100, 80);
    m_surface->clear();
}

void TestRasterCanvas::sizesInBothUnits()
{
    QCOMPARE(m_surface->unit(), RasterCanvas::Unit::Twips);
    QCOMPARE(m_surface->innerWidth(), 1500.0);
    QCOMPARE(m_surface->innerHeight(), 1200.0);
    m_surface->setUnit(RasterCanvas::Unit::Pixels);
    QCOMPARE(m_surface->innerWidth(), 100.0);
    QCOMPARE(m_surface->innerHeight(), 80.0);
    QCOMPARE(m_surface->image().size(), QSize(100, 80));
}

void TestRasterCanvas::clearFillsWithTheBackground()
{
    m_surface->setDrawColour(red);
    m_surface->line(0, 150, 1500, 150);
    m_surface->setBackgroundColour(blue);
    m_surface->clear();
    QCOMPARE(countInRow(*m_surface, 10, blue), 100);
}

void TestRasterCanvas::linesAreNotSmoothed()
{
    // Twips 150 = pixel 10; 157 rounds to 10 as well, 172.5 (11.5 px) to 12.
    m_surface->setDrawColour(red);
    m_surface->line(0, 157, 1485, 157);
    m_surface->line(172.5, 0, 172.5, 1185);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const qint32 colour = m_surface->pixel(x, y);
            QVERIFY2(colour == red || colour == white, "a smoothed pixel");
            QCOMPARE(colour == red, y == 10 || x == 12);
        }
    }
}

void TestRasterCanvas::lineStyles_data()
{
    QTest::addColumn<RasterCanvas::LineStyle>("style");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("solid") << RasterCanvas::LineStyle::Solid << false;
    QTest::newRow("dash") << RasterCanvas::LineStyle::Dash << true;
    QTest::newRow("dot") << RasterCanvas::LineStyle::Dot << true;
    QTest::newRow("dash-dot") << RasterCanvas::LineStyle::DashDot << true;
    QTest::newRow("dash-dot-dot") << RasterCanvas::LineStyle::DashDotDot << true;
}

void TestRasterCanvas::lineStyles()
{
    QFETCH(RasterCanvas::LineStyle, style);
    QFETCH(bool, gaps);
    drawRedInPixels();
    m_surface->setLineStyle(style);
    m_surface->line(0, 20, 99, 20);
    const int drawn = countInRow(*m_surface, 20, red);
    QVERIFY(drawn > 20);
    QCOMPARE(drawn < 100, gaps);
}

void TestRasterCanvas::lineWidthZeroDrawsOnePixel()
{
    drawRedInPixels();
    m_surface->setLineWidth(0);
    m_surface->line(10, 30, 90, 30);
    QCOMPARE(countInRow(*m_surface, 30, red), 81);
    QCOMPARE(countInRow(*m_surface, 29, red) + countInRow(*m_surface, 31, red), 0);
    m_surface->setLineWidth(3);
    m_surface->line(10, 60, 90, 60);
    QCOMPARE(countInRow(*m_surface, 59, red) > 0 && countInRow(*m_surface, 61, red) > 0, true);
}

void TestRasterCanvas::circles_data()
{
    QTest::addColumn<RasterCanvas::FillStyle>("fill");
    QTest::addColumn<double>("radius");
    QTest::addColumn<qint32>("centre");
    QTest::addColumn<bool>("outline");
    QTest::newRow("solid is filled") << RasterCanvas::FillStyle::Solid << 30.0 << blue << true;
    QTest::newRow("hollow is not") << RasterCanvas::FillStyle::Hollow << 60.0 << white << true;
    QTest::newRow("hatched is not filled") << RasterCanvas::FillStyle::Horizontal << 60.0 << white << true;
    QTest::newRow("radius 0 draws nothing") << RasterCanvas::FillStyle::Solid << 0.0 << white << false;
}

void TestRasterCanvas::circles()
{
    QFETCH(RasterCanvas::FillStyle, fill);
    QFETCH(double, radius);
    QFETCH(qint32, centre);
    QFETCH(bool, outline);
    // Centre (600, 600) twips = pixel (40, 40); a radius of 30 twips is 2 px.
    m_surface->setDrawColour(red);
    m_surface->setFillColour(blue);
    m_surface->setFillStyle(fill);
    m_surface->circle(600, 600, radius);
    QCOMPARE(m_surface->pixel(40, 40), centre);
    const int r = int(radius / 15);
    QCOMPARE(m_surface->pixel(40 + r, 40) == red, outline);
    QCOMPARE(m_surface->pixel(40 - r, 40) == red, outline);
    QCOMPARE(m_surface->pixel(40, 40 - r) == red, outline);
    QCOMPARE(m_surface->pixel(40 + r + 1, 40), white);
    if (fill == RasterCanvas::FillStyle::Solid && r == 2) {
        // A round disc of 3, 5, 5, 5 and 3 pixels: 12 of outline, 9 inside.
        QCOMPARE(m_surface->countPixels(red, QRect(0, 0, 100, 80)), qint64(12));
        QCOMPARE(m_surface->countPixels(blue, QRect(0, 0, 100, 80)), qint64(9));
    }
}

void TestRasterCanvas::rectangleOnTheDevice_data()
{
    QTest::addColumn<RasterCanvas::FillStyle>("fill");
    QTest::addColumn<int>("insideBlue");
    // Rectangle 10..19 × 20..39 (right 20 and bottom 40 lie outside it): an
    // inside of 8 × 18 pixels.
    QTest::newRow("solid") << RasterCanvas::FillStyle::Solid << 8 * 18;
    QTest::newRow("hollow") << RasterCanvas::FillStyle::Hollow << 0;
    QTest::newRow("horizontal lines") << RasterCanvas::FillStyle::Horizontal << -1;
    QTest::newRow("vertical lines") << RasterCanvas::FillStyle::Vertical << -1;
    QTest::newRow("upward diagonal") << RasterCanvas::FillStyle::UpwardDiagonal << -1;
}

void TestRasterCanvas::rectangleOnTheDevice()
{
    QFETCH(RasterCanvas::FillStyle, fill);
    QFETCH(int, insideBlue);
    m_surface->setDrawColour(red);
    m_surface->setFillColour(blue);
    m_surface->setFillStyle(fill);
    m_surface->setLineStyle(RasterCanvas::LineStyle::Dash); // the outline stays solid
    m_surface->rectanglePixels(10, 20, 20, 40);
    QCOMPARE(m_surface->countPixels(red, QRect(0, 0, 100, 80)), qint64(2 * 10 + 2 * 18));
    QCOMPARE(m_surface->pixel(19, 39), red);
    QCOMPARE(m_surface->pixel(20, 39), white);
    QCOMPARE(m_surface->pixel(19, 40), white);
    const qint64 inside = m_surface->countPixels(blue, QRect(11, 21, 8, 18));
    if (insideBlue >= 0) {
        QCOMPARE(inside, qint64(insideBlue));
    } else {
        QVERIFY(inside > 0);
        QVERIFY(inside < 8 * 18);
    }
    if (fill == RasterCanvas::FillStyle::Horizontal) {
        // Whole rows of the pattern, no partial ones.
        for (int y = 21; y < 39; ++y) {
            const qint64 row = m_surface->countPixels(blue, QRect(11, y, 8, 1));
            QVERIFY(row == 0 || row == 8);
        }
    }
}

void TestRasterCanvas::textIsMeasuredAndDrawn()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    m_surface->setTextFont(font);
    const double wide = m_surface->textWidth(QStringLiteral("September"));
    const double narrow = m_surface->textWidth(QStringLiteral("J"));
    QVERIFY(wide > narrow);
    QVERIFY(narrow > 0);
    QCOMPARE(m_surface->textWidth(QString()), 0.0);
    QVERIFY(m_surface->textHeight(QStringLiteral("J")) >= 11 * 15);
    m_surface->setUnit(RasterCanvas::Unit::Pixels);
    QCOMPARE(m_surface->textWidth(QStringLiteral("September")), wide / 15);

    m_surface->setDrawColour(red);
    m_surface->text(10, 10, QStringLiteral("Jan"));
    // Some ink of nearly the draw colour inside the text's box (a pixel of
    // smoothing to spare), none outside.
    const QRect box(9, 9, qCeil(m_surface->textWidth(QStringLiteral("Jan"))) + 3,
                    qCeil(m_surface->textHeight(QStringLiteral("Jan"))) + 2);
    int ink = 0, outside = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const qint32 colour = m_surface->pixel(x, y);
            if (colour == white)
                continue;
            if (box.contains(x, y))
                ink += Rgb::red(colour) > 200 && Rgb::green(colour) < 100;
            else
                ++outside;
        }
    }
    QVERIFY(ink > 5);
    QCOMPARE(outside, 0);
}

void TestRasterCanvas::pixelOutsideIsMinusOne()
{
    QCOMPARE(m_surface->pixel(-1, 0), -1);
    QCOMPARE(m_surface->pixel(0, 80), -1);
    QCOMPARE(m_surface->pixel(100, 0), -1);
    QCOMPARE(m_surface->pixel(99, 79), white);
}

void TestRasterCanvas::floodFillClosesOnAOnePixelCircle()
{
    // A hollow circle's one-pixel outline holds a fill inside it, and the
    // fill outside stops at it too.
    drawRedInPixels();
    m_surface->circle(50, 40, 20);
    m_surface->floodFill(50, 40, blue);
    const qint64 inside = m_surface->countPixels(blue, QRect(0, 0, 100, 80));
    QVERIFY(inside > 1000 && inside < 1300); // about π × 19²
    QCOMPARE(m_surface->pixel(0, 0), white);
    m_surface->floodFill(0, 0, 0);
    QCOMPARE(m_surface->countPixels(blue, QRect(0, 0, 100, 80)), inside);
    m_surface->floodFill(-3, 5, 0); // outside: nothing happens
}

// A closed outline through all eight directions, steep and shallow slopes
// and runs along a row or a column, each of these split in two at a point
// on the way, drawn point to point as the chart draws a diagram without
// markers: every segment reaches both its ends, so the outline has no gap
// where two segments meet and, drawn solid, holds a 4-connected fill.
void TestRasterCanvas::polygonOutlinesJoin_data()
{
    QTest::addColumn<RasterCanvas::LineStyle>("style");
    QTest::addColumn<int>("width");
    const char *names[] = {"solid", "dash", "dot", "dash-dot", "dash-dot-dot"};
    for (int style = 0; style < 5; ++style)
        for (int width : {0, 1, 2, 4})
            QTest::addRow("%s, width %d", names[style], width) << RasterCanvas::LineStyle(style) << width;
}

void TestRasterCanvas::polygonOutlinesJoin()
{
    QFETCH(RasterCanvas::LineStyle, style);
    QFETCH(int, width);
    const QPoint corners[] = {{30, 10}, {45, 10}, {60, 10}, {83, 21}, {83, 35}, {83, 50}, {75, 71}, {57, 71},
                              {40, 71}, {12, 58}, {12, 40}, {12, 25}, {30, 10}};
    const int points = static_cast<int>(std::size(corners));
    drawRedInPixels();
    m_surface->setLineStyle(style);
    m_surface->setLineWidth(width);
    for (int i = 1; i < points; ++i)
        m_surface->line(corners[i - 1].x(), corners[i - 1].y(), corners[i].x(), corners[i].y());
    for (const QPoint &corner : corners)
        QVERIFY2(m_surface->pixel(corner.x(), corner.y()) == red, qPrintable(QStringLiteral("%1, %2").arg(corner.x()).arg(corner.y())));
    if (style != RasterCanvas::LineStyle::Solid)
        return; // the pattern's own gaps let a fill through
    m_surface->floodFill(48, 40, blue);
    QCOMPARE(m_surface->pixel(0, 0), white);
    QCOMPARE(m_surface->pixel(99, 79), white);
}

void TestRasterCanvas::keepsDrawingAcrossResize()
{
    drawRedInPixels();
    m_surface->line(5, 5, 5, 5);
    m_surface->resize(120, 90);
    QCOMPARE(m_surface->pixel(5, 5), red);
    QCOMPARE(m_surface->pixel(110, 85), white);
    QCOMPARE(m_surface->image().size(), QSize(120, 90));
}

void TestRasterCanvas::aCopyOfTheImageKeepsItsPixels()
{
    // Drawing goes on after the image was handed out (to the clipboard, a
    // print): the copy keeps what it showed, the picture gets the new pixels.
    drawRedInPixels();
    m_surface->line(0, 0, 99, 79); // through the painter
    const QImage before = m_surface->image();
    const QImage expected = before.copy();
    m_surface->line(0, 10, 99, 10); // straight into the image
    m_surface->setFillStyle(RasterCanvas::FillStyle::Solid);
    m_surface->circle(50, 50, 5);
    m_surface->line(99, 0, 0, 79);
    m_surface->rectanglePixels(5, 5, 15, 15);
    QCOMPARE(before, expected);
    QCOMPARE(m_surface->pixel(50, 10), red);
    QCOMPARE(m_surface->pixel(5, 5), red);
    QVERIFY(m_surface->image() != before);
    m_surface->clear();
    QCOMPARE(before, expected);
}

void TestRasterCanvas::drawingOnAPictureOfNoSize()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    RasterCanvas empty;
    empty.resize(0, 0);
    empty.clear();
    empty.line(0, 0, 300, 300);
    empty.setLineStyle(RasterCanvas::LineStyle::Dash);
    empty.line(0, 0, 300, 200);
    empty.setLineWidth(3);
    empty.circle(100, 100, 60);
    empty.setLineWidth(1);
    empty.circle(100, 100, 60);
    empty.text(0, 0, QStringLiteral("Jan"));
    empty.setFillStyle(RasterCanvas::FillStyle::Vertical);
    empty.rectanglePixels(0, 0, 5, 5);
    empty.floodFill(0, 0, 0);
    QCOMPARE(empty.pixel(0, 0), -1);
    QCOMPARE(empty.countPixels(0, QRect(0, 0, 5, 5)), qint64(0));
    QVERIFY(empty.image().isNull());
}

QTEST_MAIN(TestRasterCanvas)
#include "tst_rastercanvas.moc"
