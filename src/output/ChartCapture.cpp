// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ChartCapture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>

QImage ChartCapture::grab(QWidget *container, const QRect &area)
{
    if (!container || area.isEmpty())
        return QImage();
    // Rendering the container clipped to the area paints the children in
    // their stacking order, so whatever lies over the chart comes along.
    return container->grab(area).toImage();
}

bool ChartCapture::toClipboard(const QImage &image)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard || image.isNull())
        return false;
    clipboard->setImage(image);
    return true;
}
