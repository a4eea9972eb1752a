// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPolygonF>

#include <vector>

// Where a straight line across a polygon lies inside it, by the even–odd
// rule: the spans a scanline fill paints. Pure: the raster canvas fills its
// rows with it and the painter canvas lays its patterns out with it, so the
// two cover the same pixels. The polygon closes by itself (last corner back
// to the first). An edge counts for the heights from its lower end up to,
// not including, its upper end, so a line through a corner is crossed once.
class PolygonScan
{
public:
    struct Span
    {
        double from;
        double to;
    };

    // Along the horizontal line at height y: the spans of x, left to right.
    static std::vector<Span> row(const QPolygonF &polygon, double y);
    // Along the vertical line at x: the spans of y, top to bottom.
    static std::vector<Span> column(const QPolygonF &polygon, double x);
};
