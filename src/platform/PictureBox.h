// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RasterCanvas.h"

#include <QPointF>
#include <QWidget>

class QDragEnterEvent;
class QDropEvent;
class QMimeData;

// A picture box: a widget that shows its raster canvas, as large as the
// widget, and keeps it until cleared. It reports the pointer over it in the
// canvas's current unit (twips or pixels), with the button, so that what
// works on the chart's values needs no widget events of its own. Moves
// without a button held come with mouse tracking on (setMouseTracking), drops
// once drops are accepted (setAcceptDrops); both are off by default.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    RasterCanvas &canvas();
    const RasterCanvas &canvas() const;

    // Shortcuts for the canvas's own calls that the window uses most.
    void clear() { canvas().clear(); }
    double innerWidth() const { return canvas().innerWidth(); }
    double innerHeight() const { return canvas().innerHeight(); }
    qint32 pixel(int x, int y) const { return canvas().pixel(x, y); }
    const QImage &image() const { return canvas().image(); }

    // A widget position as the canvas's unit counts it.
    QPointF toCanvasUnits(QPointF pixels) const;

signals:
    void pointerPressed(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void pointerMoved(QPointF position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void pointerReleased(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // Something dragged from elsewhere was let go over the picture (what it
    // carries in `data`); accepted by default.
    void dropped(QPointF position, const QMimeData *data);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    mutable RasterCanvas m_canvas;
};
