// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

class QWidget;

// The chart as the user sees it, taken from the program's own widgets and
// never read back from the screen: a window lying above the chart stays out
// of the image, and the copy works where the screen cannot be read.
class ChartCapture
{
public:
    // The pixels of `area` (in `container`'s coordinates) as `container`
    // shows them, with every child lying over that area (the legend, the
    // read-out box). A null image when the area is empty.
    static QImage grab(QWidget *container, const QRect &area);

    // Puts `image` on the clipboard in the usual image formats, replacing
    // whatever it held. False when there is no clipboard or no image.
    static bool toClipboard(const QImage &image);
};
