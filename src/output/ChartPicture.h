// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

#include <functional>

class QPainter;
class QRectF;

// The chart picture as everything that leaves the program takes it: its size
// on the screen and a way to draw it, sharp, into any rectangle of any
// painter (a printer page, an SVG or PDF file, a larger image). The drawing
// keeps the proportions of `pixelSize` when the target has them.
struct ChartPicture
{
    using Paint = std::function<void(QPainter &painter, const QRectF &target)>;

    QSize pixelSize;   // at 1x, as shown
    Paint paint;

    bool isValid() const { return pixelSize.width() > 0 && pixelSize.height() > 0 && paint; }
};
