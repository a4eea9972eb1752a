// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PolygonScan.h"

#include <algorithm>

namespace {

// Crossings of the line "along = at" with the polygon's edges, as positions
// across, paired into spans. `along` and `across` pick the coordinates.
template<typename Along, typename Across>
std::vector<PolygonScan::Span> spans(const QPolygonF &polygon, double at, Along along, Across across)
{
    std::vector<double> crossings;
    const qsizetype count = polygon.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF &a = polygon[i];
        const QPointF &b = polygon[(i + 1) % count];
        const double a0 = along(a), b0 = along(b);
        if ((a0 <= at) == (b0 <= at))
            continue;
        crossings.push_back(across(a) + (at - a0) * (across(b) - across(a)) / (b0 - a0));
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<PolygonScan::Span> result;
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
        result.push_back({crossings[i], crossings[i + 1]});
    return result;
}

} // namespace

std::vector<PolygonScan::Span> PolygonScan::row(const QPolygonF &polygon, double y)
{
    return spans(polygon, y, [](const QPointF &p) { return p.y(); }, [](const QPointF &p) { return p.x(); });
}

std::vector<PolygonScan::Span> PolygonScan::column(const QPolygonF &polygon, double x)
{
    return spans(polygon, x, [](const QPointF &p) { return p.x(); }, [](const QPointF &p) { return p.y(); });
}
