// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"

#include "data/Twips.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A hidden widget is repainted whole when shown; the canvas asks again
    // after that repaint.
    m_canvas.setChangeNotifier([this] { update(); });
}

// A widget not shown yet gets its resize event only when shown: the canvas
// follows the widget's size whenever it is asked for.
RasterCanvas &PictureBox::canvas()
{
    if (m_canvas.size() != size())
        m_canvas.resize(size());
    return m_canvas;
}

const RasterCanvas &PictureBox::canvas() const
{
    if (m_canvas.size() != size())
        m_canvas.resize(size());
    return m_canvas;
}

QPointF PictureBox::toCanvasUnits(QPointF pixels) const
{
    if (m_canvas.unit() == Canvas::Unit::Pixels)
        return pixels;
    return QPointF(Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y()));
}

void PictureBox::paintEvent(QPaintEvent *)
{
    canvas().changesShown();
    const QImage &pixels = m_canvas.image();
    QPainter widgetPainter(this);
    widgetPainter.drawImage(0, 0, pixels);
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    m_canvas.resize(size());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    emit pointerPressed(toCanvasUnits(event->position()), event->button(), event->modifiers());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved(toCanvasUnits(event->position()), event->buttons(), event->modifiers());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    emit pointerReleased(toCanvasUnits(event->position()), event->button(), event->modifiers());
}

void PictureBox::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void PictureBox::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent *event)
{
    emit dropped(toCanvasUnits(event->position()), event->mimeData());
    event->acceptProposedAction();
}
