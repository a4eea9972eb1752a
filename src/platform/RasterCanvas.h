// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include <functional>
#include <memory>

class QPainter;

// A picture box's pixels: one image that keeps what was drawn on it until
// cleared, so what is shown, what is copied to the clipboard and what the
// area measurement counts are the same pixels. No widget: the picture box
// (PictureBox) shows a canvas, and tests and benchmarks draw on one alone.
// Lines and shapes are drawn without antialiasing so that a one-pixel
// outline closes its region; text may be smooth.
//
// Positions are rounded to whole pixels (halves to even) before drawing, so a
// line between two points covers exactly the pixels of its rounded ends.
// A redraw makes a few thousand calls: sloping and patterned lines go through
// one painter kept open on the image between calls (closed before the image
// is read or handed out); the common shapes (lines along a row or column,
// markers, bars, hatching, cached label text) are written straight into the
// image's pixels.
class RasterCanvas : public Canvas
{
public:
    explicit RasterCanvas(QSize size = QSize());
    ~RasterCanvas() override;
    RasterCanvas(const RasterCanvas &) = delete;
    RasterCanvas &operator=(const RasterCanvas &) = delete;

    // The picture's size in pixels. A new size keeps the pixels that still
    // fit and gives the new ones the background colour.
    void resize(int width, int height);
    void resize(QSize size);
    QSize size() const;
    int width() const;
    int height() const;

    void clear() override;

    void setUnit(Unit unit) override;
    Unit unit() const override;
    double innerWidth() const override;
    double innerHeight() const override;

    void setBackgroundColour(qint32 colour);
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

    // Colour of one pixel (pixel coordinates); -1 outside the picture.
    qint32 pixel(int x, int y) const;
    // 4-connected flood fill in pixel coordinates: every pixel of the region
    // of (x, y)'s colour connected to it through pixel edges takes `colour`.
    void floodFill(int x, int y, qint32 colour);
    // The same from every pixel of the picture's edge that has the colour
    // `background`: all of the background that reaches the edge takes
    // `colour`, in however many pieces it lies.
    void floodFillFromEdges(qint32 background, qint32 colour);
    // Number of pixels of `colour` inside `pixels` (pixel coordinates).
    qint64 countPixels(qint32 colour, const QRect &pixels) const;
    void rectanglePixels(int left, int top, int right, int bottom) override;
    void polygon(const QPolygonF &points) override;

    const QImage &image() const;

    // Called once after the pixels change, until changesShown(): what
    // shows the canvas repaints then. One pending repaint covers every
    // primitive drawn until it happens.
    void setChangeNotifier(std::function<void()> notify);
    void changesShown();

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
    void matchImageToSize() const;
    void prepareDirectWrites();
    // Pixel rectangle of one colour, clipped to the picture.
    void fillPixels(const QRect &area, QRgb colour);
    void disc(QPoint centre, int radius);
    void hatch(const QRect &area, FillStyle style, QRgb colour);
    void requestUpdate();
    void updatePen();
    const MeasuredText &measured(const QString &text) const;

    QSize m_size;
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
    std::function<void()> m_notify;
    // Label texts repeat within a redraw and from one redraw to the next:
    // each is laid out and rendered once, then blended in the draw colour
    // wherever it is written (a tenth of the cost of drawing it again).
    // Emptied when the font changes or the cache grows large.
    mutable QHash<QString, MeasuredText> m_texts;
};
