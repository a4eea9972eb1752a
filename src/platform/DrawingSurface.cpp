// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder implementation: the chart engine work replaces it.
#include "platform/DrawingSurface.h"

#include "colour/Rgb.h"
#include "platform/Twips.h"

#include <QPainter>
#include <QResizeEvent>

DrawingSurface::DrawingSurface(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingSurface::clear()
{
    m_image.fill(Rgb::toQColor(m_background));
    update();
}

void DrawingSurface::setUnit(Unit unit) { m_unit = unit; }
DrawingSurface::Unit DrawingSurface::unit() const { return m_unit; }

double DrawingSurface::innerWidth() const
{
    return m_unit == Unit::Twips ? Twips::fromPixels(width()) : width();
}

double DrawingSurface::innerHeight() const
{
    return m_unit == Unit::Twips ? Twips::fromPixels(height()) : height();
}

void DrawingSurface::setBackgroundColour(qint32 colour) { m_background = colour; }
void DrawingSurface::setDrawColour(qint32 colour) { m_drawColour = colour; }
void DrawingSurface::setFillColour(qint32 colour) { m_fillColour = colour; }
void DrawingSurface::setFillStyle(FillStyle style) { m_fillStyle = style; }
void DrawingSurface::setLineWidth(int pixels) { m_lineWidth = pixels; }
void DrawingSurface::setLineStyle(LineStyle style) { m_lineStyle = style; }
void DrawingSurface::setTextFont(const QFont &font) { m_font = font; }

double DrawingSurface::toPixels(double value) const
{
    return m_unit == Unit::Twips ? value / Twips::perPixel : value;
}

void DrawingSurface::line(double x1, double y1, double x2, double y2)
{
    QPainter painter(&m_image);
    painter.setPen(QPen(Rgb::toQColor(m_drawColour), m_lineWidth));
    painter.drawLine(QPointF(toPixels(x1), toPixels(y1)), QPointF(toPixels(x2), toPixels(y2)));
    update();
}

void DrawingSurface::circle(double x, double y, double radius)
{
    QPainter painter(&m_image);
    painter.setPen(QPen(Rgb::toQColor(m_drawColour), 1));
    if (m_fillStyle == FillStyle::Solid)
        painter.setBrush(Rgb::toQColor(m_fillColour));
    const double r = toPixels(radius);
    painter.drawEllipse(QPointF(toPixels(x), toPixels(y)), r, r);
    update();
}

void DrawingSurface::text(double left, double top, const QString &text)
{
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(Rgb::toQColor(m_drawColour));
    const QFontMetricsF metrics(m_font);
    painter.drawText(QPointF(toPixels(left), toPixels(top) + metrics.ascent()), text);
    update();
}

double DrawingSurface::textWidth(const QString &text) const
{
    const double pixels = QFontMetricsF(m_font).horizontalAdvance(text);
    return m_unit == Unit::Twips ? Twips::fromPixels(pixels) : pixels;
}

double DrawingSurface::textHeight(const QString &) const
{
    const double pixels = QFontMetricsF(m_font).height();
    return m_unit == Unit::Twips ? Twips::fromPixels(pixels) : pixels;
}

qint32 DrawingSurface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return -1;
    return Rgb::fromQColor(m_image.pixelColor(x, y));
}

void DrawingSurface::floodFill(int, int, qint32) {}

void DrawingSurface::rectanglePixels(int left, int top, int right, int bottom)
{
    QPainter painter(&m_image);
    painter.setPen(Rgb::toQColor(m_drawColour));
    painter.drawRect(QRect(QPoint(left, top), QPoint(right, bottom)));
    update();
}

const QImage &DrawingSurface::image() const { return m_image; }

void DrawingSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void DrawingSurface::resizeEvent(QResizeEvent *event)
{
    QImage grown(event->size(), QImage::Format_RGB32);
    grown.fill(Rgb::toQColor(m_background));
    QPainter painter(&grown);
    painter.drawImage(0, 0, m_image);
    painter.end();
    m_image = grown;
}
