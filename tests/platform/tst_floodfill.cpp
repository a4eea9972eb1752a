// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FloodFill.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);
const QRgb grey = qRgb(120, 120, 120);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(white);
    return image;
}

void set(QImage &image, int x, int y) { image.setPixel(x, y, black); }

} // namespace

class TestFloodFill : public QObject
{
    Q_OBJECT

private slots:
    void fillCounts_data();
    void fillCounts();
    void fillFromEdges();
    void regionOnlyReads();
    void fillWithTheSameColourChangesNothing();
    void countPixelsClipsToTheImage();
    void otherImageFormats();
    void matchesAPlainSearchOnNoise_data();
    void matchesAPlainSearchOnNoise();
};

// Each row draws one-pixel black outlines on a white 20 × 20 image and fills
// from a seed; the count is the number of pixels that change.
void TestFloodFill::fillCounts_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QPoint>("seed");
    QTest::addColumn<qint64>("expected");

    // A square outline 5..14: its inside is 8 × 8.
    QTest::newRow("inside a closed square") << "square" << QPoint(9, 9) << qint64(64);
    QTest::newRow("outside a closed square") << "square" << QPoint(0, 0) << qint64(400 - 100);
    // The same square with one pixel of its outline missing: the inside leaks.
    QTest::newRow("open square leaks") << "open" << QPoint(9, 9) << qint64(400 - 100 + 64 + 1);
    // A one-pixel staircase from (0,19) to (19,0), 39 pixels, cuts the
    // picture in two for 4-connected filling: 190 pixels above it, 171 below.
    QTest::newRow("diagonal separates, above") << "diagonal" << QPoint(0, 0) << qint64(190);
    QTest::newRow("diagonal separates, below") << "diagonal" << QPoint(19, 19) << qint64(171);
    // A diagonal of single pixels touching only at corners still closes a
    // region for 4-connected filling (an 8-connected fill would leak).
    QTest::newRow("corner-touching diagonal separates") << "corners" << QPoint(0, 0) << qint64(190);
    QTest::newRow("seed on the picture's edge") << "none" << QPoint(19, 0) << qint64(400);
    QTest::newRow("seed on the outline fills the outline") << "square" << QPoint(5, 5) << qint64(36);
    QTest::newRow("seed left of the picture") << "none" << QPoint(-1, 3) << qint64(0);
    QTest::newRow("seed below the picture") << "none" << QPoint(3, 20) << qint64(0);
    // Two walls down from the top edge and a floor: the picture's edge closes
    // the pocket (columns 6..14, rows 0..17).
    QTest::newRow("pocket against the edge") << "pocket" << QPoint(10, 0) << qint64(9 * 18);
}

void TestFloodFill::fillCounts()
{
    QFETCH(QString, shape);
    QFETCH(QPoint, seed);
    QFETCH(qint64, expected);

    QImage image = blank(20, 20);
    if (shape == "square" || shape == "open") {
        for (int i = 5; i <= 14; ++i) {
            set(image, i, 5);
            set(image, i, 14);
            set(image, 5, i);
            set(image, 14, i);
        }
        if (shape == "open")
            image.setPixel(14, 9, white);
    } else if (shape == "diagonal") {
        // Pixel (i, 19 − i) and its step (i + 1, 19 − i): edge-connected stairs.
        for (int i = 0; i < 20; ++i) {
            set(image, i, 19 - i);
            if (i + 1 < 20)
                set(image, i + 1, 19 - i);
        }
    } else if (shape == "corners") {
        for (int i = 0; i < 20; ++i)
            set(image, i, 19 - i);
    } else if (shape == "pocket") {
        // Two walls from the top edge down to row 18 and a floor joining them.
        for (int y = 0; y <= 18; ++y) {
            set(image, 5, y);
            set(image, 15, y);
        }
        for (int x = 5; x <= 15; ++x)
            set(image, x, 18);
    }
    const qint64 before = FloodFill::countPixels(image, grey, image.rect());
    const qint64 filled = FloodFill::fill(image, seed.x(), seed.y(), grey);
    QCOMPARE(filled, expected);
    QCOMPARE(FloodFill::countPixels(image, grey, image.rect()) - before, expected);
}

// Every piece of the background that reaches the edge is filled, whatever
// lies on the corners; a closed inside is not.
void TestFloodFill::fillFromEdges()
{
    QImage image = blank(20, 20);
    for (int i = 0; i < 20; ++i) { // stairs from (0, 19) to (19, 0) through both corners
        set(image, i, 19 - i);
        if (i + 1 < 20)
            set(image, i + 1, 19 - i);
    }
    QCOMPARE(FloodFill::fillFromEdges(image, white, grey), qint64(190 + 171));
    QCOMPARE(FloodFill::fillFromEdges(image, white, grey), qint64(0));

    image = blank(20, 20);
    for (int i = 5; i <= 14; ++i) {
        set(image, i, 5);
        set(image, i, 14);
        set(image, 5, i);
        set(image, 14, i);
    }
    QCOMPARE(FloodFill::fillFromEdges(image, white, grey), qint64(400 - 100));
    QCOMPARE(image.pixel(9, 9), white);
}

void TestFloodFill::regionOnlyReads()
{
    QImage image = blank(8, 8);
    for (int y = 0; y < 8; ++y)
        set(image, 3, y);
    const QImage copy = image;
    const std::vector<FloodFill::Span> spans = FloodFill::region(image, 0, 0);
    QCOMPARE(image, copy);
    QCOMPARE(int(spans.size()), 8);
    for (const FloodFill::Span &span : spans) {
        QCOMPARE(span.left, 0);
        QCOMPARE(span.right, 2);
    }
}

void TestFloodFill::fillWithTheSameColourChangesNothing()
{
    QImage image = blank(10, 10);
    QCOMPARE(FloodFill::fill(image, 4, 4, white), qint64(0));
    QCOMPARE(FloodFill::fill(image, 4, 4, qRgba(255, 255, 255, 0)), qint64(0)); // alpha ignored
}

void TestFloodFill::countPixelsClipsToTheImage()
{
    QImage image = blank(10, 10);
    image.fill(black);
    QCOMPARE(FloodFill::countPixels(image, black, QRect(1, 1, 100, 100)), qint64(81));
    QCOMPARE(FloodFill::countPixels(image, black, QRect(-5, -5, 3, 3)), qint64(0));
    QCOMPARE(FloodFill::countPixels(image, white, image.rect()), qint64(0));
}

void TestFloodFill::otherImageFormats()
{
    QImage image(12, 12, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int i = 0; i < 12; ++i)
        image.setPixel(6, i, black);
    QCOMPARE(FloodFill::region(image, 0, 0).size(), size_t(12));
    QCOMPARE(FloodFill::fill(image, 11, 11, grey), qint64(5 * 12));
    QCOMPARE(FloodFill::countPixels(image, grey, image.rect()), qint64(60));
}

// Random black pixels make ragged regions with pockets, overhangs and
// one-pixel channels; a plain breadth-first search says which pixels a fill
// must reach.
void TestFloodFill::matchesAPlainSearchOnNoise_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("blackPercent");
    for (const quint32 seed : {1u, 2u, 3u, 4u, 5u}) {
        for (const int percent : {20, 35, 45})
            QTest::addRow("noise %u, %d%% black", seed, percent) << seed << percent;
    }
}

void TestFloodFill::matchesAPlainSearchOnNoise()
{
    QFETCH(quint32, seed);
    QFETCH(int, blackPercent);
    QRandomGenerator random(seed);
    QImage image = blank(41, 29);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (int(random.bounded(100)) < blackPercent)
                set(image, x, y);
        }
    }
    const QPoint start(20, 14);
    image.setPixel(start, white);

    QImage expected = image.copy();
    QList<QPoint> queue{start};
    expected.setPixel(start, grey);
    for (qsizetype i = 0; i < queue.size(); ++i) {
        const QPoint p = queue[i];
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (expected.rect().contains(q) && expected.pixel(q) == white) {
                expected.setPixel(q, grey);
                queue << q;
            }
        }
    }

    QCOMPARE(FloodFill::fill(image, start.x(), start.y(), grey), qint64(queue.size()));
    QCOMPARE(image, expected);
}

QTEST_APPLESS_MAIN(TestFloodFill)
#include "tst_floodfill.moc"
