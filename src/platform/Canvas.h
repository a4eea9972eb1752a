// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPolygonF>
#include <QString>
#include <QtGlobal>

// What the chart is drawn with: the primitives of a picture box. Positions
// are in the current unit (twips by default, 15 to a pixel, or pixels);
// colours in the program's red + 256 × green + 65536 × blue form. The
// raster canvas writes pixels for the screen; the painter canvas sends the
// same calls to a QPainter on any device (an image at any scale, an SVG or
// PDF file, a printer).
class Canvas
{
public:
    enum class Unit { Twips, Pixels };
    // The patterns lie on the picture's pixel grid, anchored at its top-left
    // corner, so neighbouring shapes line up: Horizontal, Vertical and
    // UpwardDiagonal every eighth row, column or "/" diagonal (the classic
    // brushes); FineVertical every fourth column; Dots a staggered dot every
    // fourth pixel of every second row.
    enum class FillStyle { Solid, Hollow, Horizontal, Vertical, UpwardDiagonal, FineVertical, Dots };
    enum class LineStyle { Solid, Dash, Dot, DashDot, DashDotDot };

    virtual ~Canvas() = default;

    // Fills the whole picture with the background colour.
    virtual void clear() = 0;

    virtual void setUnit(Unit unit) = 0;
    virtual Unit unit() const = 0;
    // Inner (drawing area) size in the current unit.
    virtual double innerWidth() const = 0;
    virtual double innerHeight() const = 0;

    virtual void setDrawColour(qint32 colour) = 0;
    virtual void setFillColour(qint32 colour) = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    // Pixels; 0 draws as 1. Dash patterns scale with the width.
    virtual void setLineWidth(int pixels) = 0;
    virtual void setLineStyle(LineStyle style) = 0;
    virtual void setTextFont(const QFont &font) = 0;

    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // Outlined in the draw colour (one pixel, solid, when the line width is
    // 0 or 1; else the current width and style); filled with the fill colour
    // when the fill style is Solid. A radius under half a pixel draws nothing.
    virtual void circle(double x, double y, double radius) = 0;
    // Text in the draw colour, its left and top edges at (left, top).
    virtual void text(double left, double top, const QString &text) = 0;
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;
    // A rectangle in whole pixels: outlined in the draw colour, one pixel,
    // solid, filled with the fill colour in the fill style. As on the
    // Windows device context, the right and bottom coordinates lie just
    // outside the rectangle.
    virtual void rectanglePixels(int left, int top, int right, int bottom) = 0;
    // A closed polygon filled with the fill colour in the fill style, without
    // an outline; Hollow draws nothing. Its corners are rounded to whole
    // pixels as a line's ends are, so a line along an edge borders it; a
    // pixel belongs to it when the pixel's middle lies inside (even–odd).
    virtual void polygon(const QPolygonF &points) = 0;

    // Whether the pattern of `style` covers pixel (x, y) of the picture.
    // Solid covers every pixel, Hollow none.
    static bool patternCovers(FillStyle style, int x, int y)
    {
        const auto mod = [](int value, int m) { return ((value % m) + m) % m; };
        switch (style) {
        case FillStyle::Solid: return true;
        case FillStyle::Hollow: return false;
        case FillStyle::Horizontal: return mod(y, 8) == 0;
        case FillStyle::Vertical: return mod(x, 8) == 0;
        case FillStyle::UpwardDiagonal: return mod(x + y, 8) == 7;
        case FillStyle::FineVertical: return mod(x, 4) == 0;
        case FillStyle::Dots: return mod(y, 2) == 0 && mod(x + 2 * mod(y / 2, 2), 4) == 0;
        }
        return false;
    }
};
