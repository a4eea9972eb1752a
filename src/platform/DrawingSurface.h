// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QWidget>
#include <QtGlobal>

#include <memory>

class QPainter;

// A picture box: a widget that keeps what was drawn on it until cleared.
// Its pixels live in one image, so what is shown, what is copied to the
// clipboard and what the area measurement counts are the same pixels.
// Coordinates are in the current unit (twips by default, 15 to a pixel, or
// pixels); lines and shapes are drawn without antialiasing so that a
// one-pixel outline closes its region; text may be smooth.
//
// Positions are rounded to whole pixels (halves to even) before drawing, so a
// line between two points covers exactly the pixels of its rounded ends.
// A redraw makes a few thousand calls: sloping and patterned lines go through
// one painter kept open on the image between calls (closed before the image
// is read or handed out); the common shapes (lines along a row or column,
// markers, bars, hatching, cached label text) are written straight into the
// image's pixels.
class DrawingSurface : public QWidget
{
    Q_OBJECT

public:
    enum class Unit { Twips, Pixels };
    enum class FillStyle { Solid, Hollow, Horizontal, Vertical, UpwardDiagonal };
    enum class LineStyle { Solid, Dash, Dot, DashDot, DashDotDot };

    explicit DrawingSurface(QWidget *parent = nullptr);
    ~DrawingSurface() override;

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
    // Pixels; 0 draws as 1. Dash patterns scale with the width.
    void setLineWidth(int pixels);
    void setLineStyle(LineStyle style);
    void setTextFont(const QFont &font);

    void line(double x1, double y1, double x2, double y2);
    // Outlined in the draw colour (one pixel, solid, when the line width is
    // 0 or 1; else the current width and style); filled with the fill colour
    // when the fill style is Solid. A radius under half a pixel draws nothing.
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
    // Number of pixels of `colour` inside `pixels` (pixel coordinates).
    qint64 countPixels(qint32 colour, const QRect &pixels) const;
    // A rectangle straight on the device, in pixels: outlined in the draw
    // colour, one pixel, solid, filled with the fill colour in the fill
    // style. As on the Windows device context, the right and bottom
    // coordinates lie just outside the rectangle.
    void rectanglePixels(int left, int top, int right, int bottom);

    const QImage &image() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A text as drawn in this font: its coverage (how much of each pixel
    // the glyphs cover, 0..255) and its advance width.
    struct MeasuredText
    {
        QImage coverage;  // Format_Alpha8; the text's top-left at maskOrigin
        QPoint maskOrigin;
        double width = 0; // pixels
    };

    // Twips or pixels in the current unit to whole device pixels.
    int toDevice(double value) const;
    bool toDevice(double x, double y, QPoint &point) const;
    double fromPixels(double pixels) const;
    bool hasPixels();
    QPainter &painter();
    void endPainting() const;
    void matchImageToWidget() const;
    void prepareDirectWrites();
    // Pixel rectangle of one colour, clipped to the picture.
    void fillPixels(const QRect &area, QRgb colour);
    void disc(QPoint centre, int radius);
    void hatch(const QRect &area, FillStyle style, QRgb colour);
    void requestUpdate();
    void updatePen();
    const MeasuredText &measured(const QString &text) const;

    mutable QImage m_image;
    mutable std::unique_ptr<QPainter> m_painter;
    Unit m_unit = Unit::Twips;
    qint32 m_background = 0xFFFFFF;
    qint32 m_drawColour = 0;
    qint32 m_fillColour = 0;
    FillStyle m_fillStyle = FillStyle::Hollow;
    int m_lineWidth = 1;
    LineStyle m_lineStyle = LineStyle::Solid;
    QPen m_pen;
    QFont m_font;
    QFontMetricsF m_metrics;
    bool m_updateRequested = false;
    // Label texts repeat within a redraw and from one redraw to the next:
    // each is laid out and rendered once, then blended in the draw colour
    // wherever it is written (a tenth of the cost of drawing it again).
    // Emptied when the font changes or the cache grows large.
    mutable QHash<QString, MeasuredText> m_texts;
};
