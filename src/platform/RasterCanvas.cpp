// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RasterCanvas.h"

#include "data/Rgb.h"
#include "platform/FloodFill.h"
#include "platform/PolygonScan.h"
#include "data/Twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any picture, small enough for the rasteriser's fixed-point maths.
constexpr double deviceLimit = 1 << 20;

QRgb toQRgb(qint32 colour)
{
    return qRgb(Rgb::red(colour), Rgb::green(colour), Rgb::blue(colour));
}

Qt::PenStyle penStyle(Canvas::LineStyle style)
{
    switch (style) {
    case RasterCanvas::LineStyle::Solid: return Qt::SolidLine;
    case RasterCanvas::LineStyle::Dash: return Qt::DashLine;
    case RasterCanvas::LineStyle::Dot: return Qt::DotLine;
    case RasterCanvas::LineStyle::DashDot: return Qt::DashDotLine;
    case RasterCanvas::LineStyle::DashDotDot: return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

} // namespace

RasterCanvas::RasterCanvas(QSize size)
    : m_size(size.expandedTo(QSize(0, 0))), m_metrics(m_font)
{
    updatePen();
}

RasterCanvas::~RasterCanvas()
{
    endPainting();
}

void RasterCanvas::clear()
{
    prepareDirectWrites();
    m_image.fill(toQRgb(m_background));
    requestUpdate();
}

void RasterCanvas::setUnit(Unit unit) { m_unit = unit; }
RasterCanvas::Unit RasterCanvas::unit() const { return m_unit; }

void RasterCanvas::resize(int width, int height) { resize(QSize(width, height)); }

void RasterCanvas::resize(QSize size)
{
    m_size = size.expandedTo(QSize(0, 0));
    matchImageToSize();
}

QSize RasterCanvas::size() const { return m_size; }
int RasterCanvas::width() const { return m_size.width(); }
int RasterCanvas::height() const { return m_size.height(); }

double RasterCanvas::innerWidth() const { return fromPixels(width()); }
double RasterCanvas::innerHeight() const { return fromPixels(height()); }

void RasterCanvas::setBackgroundColour(qint32 colour) { m_background = colour; }

void RasterCanvas::setDrawColour(qint32 colour)
{
    if (colour == m_drawColour)
        return;
    m_drawColour = colour;
    updatePen();
}

void RasterCanvas::setFillColour(qint32 colour) { m_fillColour = colour; }
void RasterCanvas::setFillStyle(FillStyle style) { m_fillStyle = style; }

void RasterCanvas::setLineWidth(int pixels)
{
    if (pixels == m_lineWidth)
        return;
    m_lineWidth = pixels;
    updatePen();
}

void RasterCanvas::setLineStyle(LineStyle style)
{
    if (style == m_lineStyle)
        return;
    m_lineStyle = style;
    updatePen();
}

void RasterCanvas::setTextFont(const QFont &font)
{
    m_font = font;
    m_metrics = QFontMetricsF(font);
    m_texts.clear();
    if (m_painter)
        m_painter->setFont(font);
}

void RasterCanvas::updatePen()
{
    // Width 0 would be Qt's cosmetic pen; draw it as the one pixel it shows.
    m_pen = QPen(QColor::fromRgb(toQRgb(m_drawColour)), std::max(m_lineWidth, 1), penStyle(m_lineStyle),
                 Qt::RoundCap, Qt::RoundJoin);
}

int RasterCanvas::toDevice(double value) const
{
    const double pixels = m_unit == Unit::Twips ? value / Twips::perPixel : value;
    return static_cast<int>(std::nearbyint(std::clamp(pixels, -deviceLimit, deviceLimit)));
}

bool RasterCanvas::toDevice(double x, double y, QPoint &point) const
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    point = QPoint(toDevice(x), toDevice(y));
    return true;
}

double RasterCanvas::fromPixels(double pixels) const
{
    return m_unit == Unit::Twips ? Twips::fromPixels(pixels) : pixels;
}

void RasterCanvas::matchImageToSize() const
{
    if (m_image.size() == m_size)
        return;
    endPainting();
    QImage resized(m_size, QImage::Format_RGB32);
    resized.fill(toQRgb(m_background));
    if (!m_image.isNull()) {
        QPainter copier(&resized);
        copier.drawImage(0, 0, m_image);
    }
    m_image = resized;
}

// A picture of no size (not laid out yet) has nothing to draw on.
bool RasterCanvas::hasPixels()
{
    matchImageToSize();
    return !m_image.isNull();
}

QPainter &RasterCanvas::painter()
{
    matchImageToSize();
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::TextAntialiasing, true);
        m_painter->setFont(m_font);
    }
    return *m_painter;
}

void RasterCanvas::endPainting() const
{
    m_painter.reset();
}

void RasterCanvas::line(double x1, double y1, double x2, double y2)
{
    QPoint from, to;
    if (!toDevice(x1, y1, from) || !toDevice(x2, y2, to))
        return;
    // Solid one-pixel lines along a row or a column (grid lines, ticks) are
    // the bulk of a redraw: written straight into the image they cost a
    // fraction of the stroker's time and cover the same pixels.
    // Both end pixels belong to the line, whichever way it runs (a QRect
    // normalised from reversed corners would lose them).
    if (m_lineStyle == LineStyle::Solid && m_lineWidth <= 1 && (from.x() == to.x() || from.y() == to.y())) {
        fillPixels(QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                         QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y()))),
                   toQRgb(m_drawColour));
    } else {
        if (!hasPixels())
            return;
        QPainter &p = painter();
        p.setPen(m_pen);
        p.drawLine(from, to);
    }
    requestUpdate();
}

void RasterCanvas::prepareDirectWrites()
{
    matchImageToSize();
    // The painter writes into the image's buffer; a copy handed out shares
    // that buffer, and writing would then give the image a buffer of its own
    // behind the painter's back. Close the painter first in that case.
    if (!m_image.isDetached())
        endPainting();
}

void RasterCanvas::fillPixels(const QRect &area, QRgb colour)
{
    const QRect clipped = area.intersected(m_image.rect());
    if (clipped.isEmpty())
        return;
    prepareDirectWrites();
    const QRgb opaque = colour | 0xFF000000;
    uchar *const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    if (clipped.width() == 1) { // a column: one pixel a row
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            reinterpret_cast<QRgb *>(bits + y * stride)[clipped.left()] = opaque;
        return;
    }
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
        std::fill(row + clipped.left(), row + clipped.right() + 1, opaque);
    }
}

// Hatching as the Windows brushes lay it, on an 8-pixel grid anchored at the
// picture's top-left corner, so that neighbouring bars line up: every eighth
// row, every eighth column, or the "/" diagonals through every eighth pixel
// of a row. The pixels between the lines keep what was under them.
void RasterCanvas::hatch(const QRect &area, FillStyle style, QRgb colour)
{
    const QRect clipped = area.intersected(m_image.rect());
    if (clipped.isEmpty())
        return;
    prepareDirectWrites();
    const QRgb opaque = colour | 0xFF000000;
    uchar *const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (patternCovers(style, x, y))
                row[x] = opaque;
        }
    }
}

void RasterCanvas::requestUpdate()
{
    // One pending repaint of the whole picture covers every primitive drawn
    // until it happens; asking for a repaint again per primitive costs more
    // than drawing most of them.
    if (m_updateRequested)
        return;
    m_updateRequested = true;
    if (m_notify)
        m_notify();
}

void RasterCanvas::setChangeNotifier(std::function<void()> notify)
{
    m_notify = std::move(notify);
    m_updateRequested = false;
}

void RasterCanvas::changesShown()
{
    m_updateRequested = false;
}

void RasterCanvas::circle(double x, double y, double radius)
{
    QPoint centre;
    if (!toDevice(x, y, centre) || !std::isfinite(radius))
        return;
    const int r = toDevice(radius);
    if (r <= 0)
        return;
    if (m_lineWidth <= 1) {
        disc(centre, r);
        requestUpdate();
        return;
    }
    if (!hasPixels())
        return;
    QPainter &p = painter();
    p.setPen(m_pen);
    if (m_fillStyle == FillStyle::Solid)
        p.setBrush(QColor::fromRgb(toQRgb(m_fillColour)));
    else
        p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    p.setBrush(Qt::NoBrush);
    requestUpdate();
}

// A circle of one-pixel outline as whole-pixel spans: pixel (dx, dy) from the
// centre lies in the disc when dx² + dy² ≤ r² + r (round at every radius,
// r pixels out along the axes); the disc's pixels with a neighbour outside it
// form the outline, which closes the disc for 4-connected filling. Markers
// are the bulk of a redraw's shapes; spans keep them cheap.
void RasterCanvas::disc(QPoint centre, int r)
{
    const QRgb outline = toQRgb(m_drawColour);
    const bool filled = m_fillStyle == FillStyle::Solid;
    const QRgb inside = toQRgb(m_fillColour);
    const qint64 limit = qint64(r) * r + r;
    const auto halfWidth = [&](int dy) {
        if (qAbs(dy) > r)
            return -1;
        int dx = r;
        while (qint64(dx) * dx + qint64(dy) * dy > limit)
            --dx;
        return dx;
    };
    for (int dy = -r; dy <= r; ++dy) {
        const int y = centre.y() + dy;
        const int half = halfWidth(dy);
        // Wider rows above or below leave part of this row's ends open to
        // the outside: those pixels belong to the outline too.
        const int edge = std::min(halfWidth(dy - 1), halfWidth(dy + 1));
        const int outlineTo = std::min(std::max(edge + 1, 0), half); // |dx| from here to half: outline
        fillPixels(QRect(centre.x() - half, y, half - outlineTo + 1, 1), outline);
        fillPixels(QRect(centre.x() + outlineTo, y, half - outlineTo + 1, 1), outline);
        if (outlineTo > 0 && filled)
            fillPixels(QRect(centre.x() - outlineTo + 1, y, 2 * outlineTo - 1, 1), inside);
    }
}

const RasterCanvas::MeasuredText &RasterCanvas::measured(const QString &text) const
{
    auto found = m_texts.constFind(text);
    if (found != m_texts.constEnd())
        return found.value();
    if (m_texts.size() > 1024)
        m_texts.clear();
    MeasuredText entry;
    entry.width = m_metrics.horizontalAdvance(text);
    // Room for glyphs that reach beyond the advance or the line height.
    const QRectF ink = m_metrics.boundingRect(text);
    const int left = std::min(0, qFloor(ink.left())) - 1;
    const int top = std::min(0, qFloor(ink.top() + m_metrics.ascent())) - 1;
    const int right = std::max(qCeil(entry.width), qCeil(ink.right())) + 1;
    const int bottom = std::max(qCeil(m_metrics.height()), qCeil(ink.bottom() + m_metrics.ascent())) + 1;
    entry.maskOrigin = QPoint(-left, -top);
    entry.coverage = QImage(right - left, bottom - top, QImage::Format_Alpha8);
    entry.coverage.fill(0);
    QPainter mask(&entry.coverage);
    mask.setRenderHint(QPainter::TextAntialiasing, true);
    mask.setFont(m_font);
    mask.setPen(Qt::black);
    mask.drawText(QPointF(entry.maskOrigin.x(), entry.maskOrigin.y() + m_metrics.ascent()), text);
    mask.end();
    return m_texts.insert(text, entry).value();
}

void RasterCanvas::text(double left, double top, const QString &text)
{
    QPoint topLeft;
    if (text.isEmpty() || !toDevice(left, top, topLeft))
        return;
    const MeasuredText &entry = measured(text);
    prepareDirectWrites();
    const QPoint origin = topLeft - entry.maskOrigin;
    const QRect area = QRect(origin, entry.coverage.size()).intersected(m_image.rect());
    if (area.isEmpty())
        return;
    const QRgb colour = toQRgb(m_drawColour);
    const int red = qRed(colour), green = qGreen(colour), blue = qBlue(colour);
    uchar *const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *cover = entry.coverage.constScanLine(y - origin.y());
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
        for (int x = area.left(); x <= area.right(); ++x) {
            const int a = cover[x - origin.x()];
            if (a == 0)
                continue;
            const QRgb under = row[x];
            const auto mix = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
            row[x] = qRgb(mix(red, qRed(under)), mix(green, qGreen(under)), mix(blue, qBlue(under)));
        }
    }
    requestUpdate();
}

double RasterCanvas::textWidth(const QString &text) const
{
    return text.isEmpty() ? 0.0 : fromPixels(measured(text).width);
}

double RasterCanvas::textHeight(const QString &) const
{
    return fromPixels(m_metrics.height());
}

qint32 RasterCanvas::pixel(int x, int y) const
{
    matchImageToSize();
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return -1;
    const QRgb value = m_image.pixel(x, y);
    return Rgb::pack(qRed(value), qGreen(value), qBlue(value));
}

void RasterCanvas::floodFill(int x, int y, qint32 colour)
{
    endPainting();
    matchImageToSize();
    if (FloodFill::fill(m_image, x, y, toQRgb(colour)) > 0)
        requestUpdate();
}

void RasterCanvas::floodFillFromEdges(qint32 background, qint32 colour)
{
    endPainting();
    matchImageToSize();
    if (FloodFill::fillFromEdges(m_image, toQRgb(background), toQRgb(colour)) > 0)
        requestUpdate();
}

qint64 RasterCanvas::countPixels(qint32 colour, const QRect &pixels) const
{
    matchImageToSize();
    return FloodFill::countPixels(m_image, toQRgb(colour), pixels);
}

void RasterCanvas::rectanglePixels(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    const QRect area(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (m_fillStyle == FillStyle::Solid)
        fillPixels(area, toQRgb(m_fillColour));
    else if (m_fillStyle != FillStyle::Hollow)
        hatch(area, m_fillStyle, toQRgb(m_fillColour));
    const QRgb outline = toQRgb(m_drawColour);
    if (m_fillStyle == FillStyle::Solid && m_fillColour == m_drawColour) {
        requestUpdate(); // outline and inside alike: already whole
        return;
    }
    fillPixels(QRect(area.left(), area.top(), area.width(), 1), outline);
    fillPixels(QRect(area.left(), area.bottom(), area.width(), 1), outline);
    fillPixels(QRect(area.left(), area.top(), 1, area.height()), outline);
    fillPixels(QRect(area.right(), area.top(), 1, area.height()), outline);
    requestUpdate();
}

// Row by row: the pixels whose middles lie inside, in the pattern's pixels.
// The corners are rounded to whole pixels and taken at those pixels' middles,
// as a line between them runs.
void RasterCanvas::polygon(const QPolygonF &points)
{
    if (points.size() < 3 || m_fillStyle == FillStyle::Hollow)
        return;
    QPolygonF corners;
    corners.reserve(points.size());
    for (const QPointF &point : points) {
        QPoint at;
        if (!toDevice(point.x(), point.y(), at))
            return;
        corners << QPointF(at) + QPointF(0.5, 0.5);
    }
    if (!hasPixels())
        return;
    const QRect area = corners.boundingRect().toAlignedRect().intersected(m_image.rect());
    if (area.isEmpty())
        return;
    prepareDirectWrites();
    const QRgb opaque = toQRgb(m_fillColour) | 0xFF000000;
    uchar *const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(bits + y * stride);
        for (const PolygonScan::Span &span : PolygonScan::row(corners, y + 0.5)) {
            // Pixel x is inside when x + 0.5 lies in [from, to).
            const int first = std::max(area.left(), static_cast<int>(std::ceil(span.from - 0.5)));
            const int last = std::min(area.right(), static_cast<int>(std::ceil(span.to - 0.5)) - 1);
            for (int x = first; x <= last; ++x)
                if (patternCovers(m_fillStyle, x, y))
                    row[x] = opaque;
        }
    }
    requestUpdate();
}

const QImage &RasterCanvas::image() const
{
    endPainting();
    matchImageToSize();
    return m_image;
}
