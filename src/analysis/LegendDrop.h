// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>

// Where a dropped legend goes: the point that was grabbed lands under the
// pointer. Everything in twips; the result is the legend's top-left corner
// in the window's client area.
namespace LegendDrop {

// Dropped on the chart picture at `drop` (the picture's own coordinates),
// grabbed at `grab` inside the legend.
inline QPointF onChartPicture(QPointF chartPictureTopLeft, QPointF drop, QPointF grab)
{
    return chartPictureTopLeft + drop - grab;
}

// Dropped on the plotting area, which lies at `plottingAreaTopLeft` inside
// the chart picture.
inline QPointF onPlottingArea(QPointF chartPictureTopLeft, QPointF plottingAreaTopLeft, QPointF drop, QPointF grab)
{
    return chartPictureTopLeft + plottingAreaTopLeft + drop - grab;
}

} // namespace LegendDrop
