// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PainterCanvas.h"

#include "data/Rgb.h"
#include "data/Twips.h"
#include "platform/PolygonScan.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Far beyond any picture; keeps the painter's arithmetic finite.
constexpr double limit = 1 << 20;

constexpr qint32 white = Rgb::pack(255, 255, 255);

Qt::PenStyle penStyle(Canvas::LineStyle style)
{
    switch (style) {
    case Canvas::LineStyle::Solid: return Qt::SolidLine;
    case Canvas::LineStyle::Dash: return Qt::DashLine;
    case Canvas::LineStyle::Dot: return Qt::DotLine;
    case Canvas::LineStyle::DashDot: return Qt::DashDotLine;
    case Canvas::LineStyle::DashDotDot: return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

bool finite(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b);
}

} // namespace

class PainterCanvas::Placed
{
public:
    explicit Placed(const PainterCanvas &canvas) : m_painter(canvas.m_painter)
    {
        m_painter.save();
        m_painter.translate(canvas.m_origin);
        m_painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(canvas.m_size)), Qt::IntersectClip);
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    }
    ~Placed() { m_painter.restore(); }
    Placed(const Placed &) = delete;
    Placed &operator=(const Placed &) = delete;

private:
    QPainter &m_painter;
};

PainterCanvas::PainterCanvas(QPainter &painter, QSize pixels, QPointF origin)
    : m_painter(painter), m_size(pixels), m_origin(origin), m_metrics(m_font)
{
}

void PainterCanvas::clear()
{
    const Placed placed(*this);
    m_painter.fillRect(QRectF(QPointF(0, 0), QSizeF(m_size)), Rgb::toQColor(white));
}

void PainterCanvas::setUnit(Unit unit) { m_unit = unit; }
Canvas::Unit PainterCanvas::unit() const { return m_unit; }
double PainterCanvas::innerWidth() const { return fromPixels(m_size.width()); }
double PainterCanvas::innerHeight() const { return fromPixels(m_size.height()); }

void PainterCanvas::setDrawColour(qint32 colour) { m_drawColour = colour; }
void PainterCanvas::setFillColour(qint32 colour) { m_fillColour = colour; }
void PainterCanvas::setFillStyle(FillStyle style) { m_fillStyle = style; }
void PainterCanvas::setLineWidth(int pixels) { m_lineWidth = pixels; }
void PainterCanvas::setLineStyle(LineStyle style) { m_lineStyle = style; }

void PainterCanvas::setTextFont(const QFont &font)
{
    m_font = font;
    m_metrics = QFontMetricsF(font);
}

double PainterCanvas::toPixels(double value) const
{
    const double pixels = m_unit == Unit::Twips ? value / Twips::perPixel : value;
    return std::clamp(pixels, -limit, limit);
}

double PainterCanvas::fromPixels(double pixels) const
{
    return m_unit == Unit::Twips ? Twips::fromPixels(pixels) : pixels;
}

void PainterCanvas::line(double x1, double y1, double x2, double y2)
{
    if (!finite(x1, y1) || !finite(x2, y2))
        return;
    const Placed placed(*this);
    QPen pen(Rgb::toQColor(m_drawColour), std::max(m_lineWidth, 1), penStyle(m_lineStyle), Qt::RoundCap,
             Qt::RoundJoin);
    // Solid lines along a row or a column cover whole pixels on the screen,
    // their ends included: square caps give the same here.
    if (m_lineStyle == LineStyle::Solid && m_lineWidth <= 1)
        pen.setCapStyle(Qt::SquareCap);
    m_painter.setPen(pen);
    const QPointF half(0.5, 0.5);
    m_painter.drawLine(QPointF(std::nearbyint(toPixels(x1)), std::nearbyint(toPixels(y1))) + half,
                       QPointF(std::nearbyint(toPixels(x2)), std::nearbyint(toPixels(y2))) + half);
}

void PainterCanvas::circle(double x, double y, double radius)
{
    if (!finite(x, y) || !std::isfinite(radius))
        return;
    const double r = std::nearbyint(toPixels(radius));
    if (r <= 0)
        return;
    const Placed placed(*this);
    if (m_lineWidth <= 1)
        m_painter.setPen(QPen(Rgb::toQColor(m_drawColour), 1));
    else
        m_painter.setPen(QPen(Rgb::toQColor(m_drawColour), m_lineWidth, penStyle(m_lineStyle)));
    if (m_fillStyle == FillStyle::Solid)
        m_painter.setBrush(Rgb::toQColor(m_fillColour));
    else
        m_painter.setBrush(Qt::NoBrush);
    const QPointF centre(std::nearbyint(toPixels(x)) + 0.5, std::nearbyint(toPixels(y)) + 0.5);
    m_painter.drawEllipse(centre, r, r);
}

void PainterCanvas::text(double left, double top, const QString &text)
{
    if (text.isEmpty() || !finite(left, top))
        return;
    const Placed placed(*this);
    m_painter.setFont(m_font);
    m_painter.setPen(Rgb::toQColor(m_drawColour));
    m_painter.drawText(QPointF(std::nearbyint(toPixels(left)), std::nearbyint(toPixels(top)) + m_metrics.ascent()),
                       text);
}

double PainterCanvas::textWidth(const QString &text) const
{
    return text.isEmpty() ? 0.0 : fromPixels(m_metrics.horizontalAdvance(text));
}

double PainterCanvas::textHeight(const QString &) const
{
    return fromPixels(m_metrics.height());
}

void PainterCanvas::rectanglePixels(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    const Placed placed(*this);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF area(left, top, right - left, bottom - top);
    const QColor fill = Rgb::toQColor(m_fillColour);
    if (m_fillStyle == FillStyle::Solid) {
        m_painter.fillRect(area, fill);
    } else if (m_fillStyle != FillStyle::Hollow) {
        // The hatching of the screen: one-pixel lines on an 8-pixel grid
        // anchored at the canvas's top-left corner.
        m_painter.save();
        m_painter.setClipRect(area, Qt::IntersectClip);
        if (m_fillStyle == FillStyle::Horizontal) {
            for (int y = (top + 7) / 8 * 8; y < bottom; y += 8)
                m_painter.fillRect(QRectF(left, y, right - left, 1), fill);
        } else if (m_fillStyle == FillStyle::Vertical) {
            for (int x = (left + 7) / 8 * 8; x < right; x += 8)
                m_painter.fillRect(QRectF(x, top, 1, bottom - top), fill);
        } else if (m_fillStyle != FillStyle::UpwardDiagonal) {
            fillPattern(QPolygonF(QRectF(left, top, right - left, bottom - top)));
        } else {
            // "/" diagonals: the pixels with (x + y) % 8 == 7.
            m_painter.setPen(QPen(fill, 1, Qt::SolidLine, Qt::FlatCap));
            int sum = left + top;
            sum += ((7 - sum % 8) % 8 + 8) % 8;
            for (; sum <= right + bottom; sum += 8)
                m_painter.drawLine(QPointF(sum - top + 0.5, top + 0.5), QPointF(sum - bottom + 0.5, bottom + 0.5));
        }
        m_painter.restore();
    }
    const QColor outline = Rgb::toQColor(m_drawColour);
    m_painter.fillRect(QRectF(left, top, right - left, 1), outline);
    m_painter.fillRect(QRectF(left, bottom - 1, right - left, 1), outline);
    m_painter.fillRect(QRectF(left, top, 1, bottom - top), outline);
    m_painter.fillRect(QRectF(right - 1, top, 1, bottom - top), outline);
}

void PainterCanvas::polygon(const QPolygonF &points)
{
    if (points.size() < 3 || m_fillStyle == FillStyle::Hollow)
        return;
    // Corners rounded and taken at the pixels' middles, as the lines run.
    QPolygonF corners;
    corners.reserve(points.size());
    for (const QPointF &point : points) {
        if (!finite(point.x(), point.y()))
            return;
        corners << QPointF(std::nearbyint(toPixels(point.x())) + 0.5, std::nearbyint(toPixels(point.y())) + 0.5);
    }
    const Placed placed(*this);
    if (m_fillStyle == FillStyle::Solid) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(Rgb::toQColor(m_fillColour));
        m_painter.drawPolygon(corners, Qt::OddEvenFill);
        return;
    }
    fillPattern(corners);
}

void PainterCanvas::fillPattern(const QPolygonF &pixels)
{
    const QRect area = pixels.boundingRect().toAlignedRect().intersected(QRect(QPoint(0, 0), m_size));
    if (area.isEmpty())
        return;
    QPainterPath pattern;
    if (m_fillStyle == FillStyle::Vertical || m_fillStyle == FillStyle::FineVertical) {
        // Whole columns: one rectangle per span, cut where the outline runs.
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!patternCovers(m_fillStyle, x, 0))
                continue;
            for (const PolygonScan::Span &span : PolygonScan::column(pixels, x + 0.5))
                pattern.addRect(QRectF(x, span.from, 1, span.to - span.from));
        }
    } else {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (const PolygonScan::Span &span : PolygonScan::row(pixels, y + 0.5)) {
                const int first = std::max(area.left(), static_cast<int>(std::ceil(span.from - 0.5)));
                const int last = std::min(area.right(), static_cast<int>(std::ceil(span.to - 0.5)) - 1);
                for (int x = first; x <= last; ++x)
                    if (patternCovers(m_fillStyle, x, y))
                        pattern.addRect(QRectF(x, y, 1, 1));
            }
        }
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Rgb::toQColor(m_fillColour));
    m_painter.drawPath(pattern);
    m_painter.restore();
}
