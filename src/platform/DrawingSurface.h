// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <QtGlobal>

// A picture box: a widget that keeps what was drawn on it until cleared.
// Its pixels live in one image, so what is shown, what is copied to the
// clipboard and what the area measurement counts are the same pixels.
// Coordinates are in the current unit (twips by default, 15 to a pixel, or
// pixels); lines and shapes are drawn without antialiasing so that a
// one-pixel outline closes its region; text may be smooth.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    enum class Unit { Twips, Pixels };
    enum class FillStyle { Solid, Hollow, Horizontal, Vertical, UpwardDiagonal };
    enum class LineStyle { Solid, Dash, Dot, DashDot, DashDotDot };

    explicit DrawingSurface(QWidget *parent = nullptr);

    // Fills the whole picture with the background colour.
    void clear();

    void setUnit(Unit unit);
    Unit unit() const;
    // Inner (drawing area) size in the current unit.
    double innerWidth() const;
    double innerHeight() const;

    // Colours in the program's red + 256 × green + 65536 × blue form.
    void setBackgroundColour(qint32 colour);
    void setDrawColour(qint32 colour);
    void setFillColour(qint32 colour);
    void setFillStyle(FillStyle style);
    void setLineWidth(int pixels);
    void setLineStyle(LineStyle style);
    void setTextFont(const QFont &font);

    void line(double x1, double y1, double x2, double y2);
    // Outlined in the draw colour; filled with the fill colour when the fill
    // style is Solid.
    void circle(double x, double y, double radius);
    // Text in the draw colour, its left and top edges at (left, top).
    void text(double left, double top, const QString &text);
    double textWidth(const QString &text) const;
    double textHeight(const QString &text) const;

    // Colour of one pixel (pixel coordinates); -1 outside the picture.
    qint32 pixel(int x, int y) const;
    // 4-connected flood fill in pixel coordinates: every pixel of the region
    // of (x, y)'s colour connected to it through pixel edges takes `colour`.
    void floodFill(int x, int y, qint32 colour);
    // A rectangle straight on the device, in pixels: outlined in the draw
    // colour, one pixel, filled with the fill colour in the fill style.
    void rectanglePixels(int left, int top, int right, int bottom);

    const QImage &image() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    double toPixels(double value) const;

    QImage m_image;
    Unit m_unit = Unit::Twips;
    qint32 m_background = 0xFFFFFF;
    qint32 m_drawColour = 0;
    qint32 m_fillColour = 0;
    FillStyle m_fillStyle = FillStyle::Hollow;
    int m_lineWidth = 1;
    LineStyle m_lineStyle = LineStyle::Solid;
    QFont m_font;
};
