// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QSize>

class QPainter;

// A canvas that sends every call to a QPainter on any paint device: an image
// at 2× or 4×, an SVG or PDF file, a printer. The canvas is `pixels` large in
// the painter's logical coordinates and placed at `origin` in them; the
// caller's transform maps those onto the device, so the result is as sharp
// as the device allows. Drawing is clipped to the canvas.
//
// Positions and sizes follow the raster canvas: a screen pixel is 15 twips,
// a line runs through the middle of the pixels it would cover on the screen,
// text is measured with the same font metrics (so labels sit where the
// screen shows them) and hatching keeps its 8-pixel grid. Fonts are best
// given in pixels: a point size would grow with the device's resolution.
class PainterCanvas : public Canvas
{
public:
    PainterCanvas(QPainter &painter, QSize pixels, QPointF origin = QPointF());

    void clear() override;

    void setUnit(Unit unit) override;
    Unit unit() const override;
    double innerWidth() const override;
    double innerHeight() const override;

    void setDrawColour(qint32 colour) override;
    void setFillColour(qint32 colour) override;
    void setFillStyle(FillStyle style) override;
    void setLineWidth(int pixels) override;
    void setLineStyle(LineStyle style) override;
    void setTextFont(const QFont &font) override;

    void line(double x1, double y1, double x2, double y2) override;
    void circle(double x, double y, double radius) override;
    void text(double left, double top, const QString &text) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void rectanglePixels(int left, int top, int right, int bottom) override;
    void polygon(const QPolygonF &points) override;

private:
    // Current unit to pixels of this canvas, unrounded.
    double toPixels(double value) const;
    double fromPixels(double pixels) const;
    // Saves the painter, moves it to the canvas and clips to it; the
    // destructor of the returned guard restores it.
    class Placed;
    // The fill pattern's pixels inside `pixels` (pixel units of this canvas),
    // as the raster canvas lays them, drawn as one path of small rectangles:
    // a vector file gets the pattern itself, not a picture of it.
    void fillPattern(const QPolygonF &pixels);

    QPainter &m_painter;
    QSize m_size;
    QPointF m_origin;
    Unit m_unit = Unit::Twips;
    qint32 m_drawColour = 0;
    qint32 m_fillColour = 0;
    FillStyle m_fillStyle = FillStyle::Hollow;
    int m_lineWidth = 1;
    LineStyle m_lineStyle = LineStyle::Solid;
    QFont m_font;
    QFontMetricsF m_metrics;
};
