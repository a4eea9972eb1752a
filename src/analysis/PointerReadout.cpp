// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PointerReadout.h"

#include "chart/PlotMapping.h"
#include "chart/Scale.h"

namespace PointerReadout {

QString text(const ChartSettings &chart, double x, double y)
{
    const Scale::Range rangeX = Scale::drawnRange(chart.scaleMinX, chart.scaleMaxX);
    const Scale::Range rangeY = Scale::drawnRange(chart.scaleMinY, chart.scaleMaxY);
    std::optional<double> valueX;
    std::optional<double> valueY;
    if (chart.kind != ChartKind::Normal) {
        const PlotPositionValue at(chart.plotLeft, chart.plotTop, chart.plotRight, chart.plotBottom, rangeX, rangeY);
        valueX = at.atX(x);
        valueY = at.atY(y);
    } else {
        // The month chart reads temperature on the right axis and
        // precipitation on the left one.
        const PlotPositionValue right(chart.plotLeft, chart.plotTop, chart.plotRight, chart.plotBottom, rangeY, rangeX);
        const PlotPositionValue left(chart.plotLeft, chart.plotTop, chart.plotRight, chart.plotBottom, rangeX, rangeY);
        valueX = right.atY(y);
        valueY = left.atY(y);
    }
    if (!valueX || !valueY)
        return QString();
    return QStringLiteral("X = ") + chart.format(*valueX, Axis::X) + QStringLiteral("    Y = ")
         + chart.format(*valueY, Axis::Y);
}

} // namespace PointerReadout
