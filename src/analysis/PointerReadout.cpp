// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PointerReadout.h"

#include "chart/PlotMapping.h"
#include "chart/Scale.h"

namespace PointerReadout {

QString text(const Chart &chart, double x, double y, const QLocale &locale)
{
    const Scale::Range rangeX = Scale::drawnRange(chart.scaleMinX, chart.scaleMaxX);
    const Scale::Range rangeY = Scale::drawnRange(chart.scaleMinY, chart.scaleMaxY);
    std::optional<double> valueX;
    std::optional<double> valueY;
    if (chart.kind == Kind::ClimateDiagram) {
        const PlotPositionValue at(chart.plotLeft, chart.plotTop, chart.plotRight, chart.plotBottom, rangeX, rangeY);
        valueX = at.atX(x);
        valueY = at.atY(y);
    } else {
        // The "Normal" chart reads temperature on the right axis and
        // precipitation on the left one: two vertical scales.
        const PlotPositionValue right(chart.plotLeft, chart.plotTop, chart.plotRight, chart.plotBottom, rangeY, rangeX);
        const PlotPositionValue left(chart.plotLeft, chart.plotTop, chart.plotRight, chart.plotBottom, rangeX, rangeY);
        valueX = right.atY(y);
        valueY = left.atY(y);
    }
    if (!valueX || !valueY)
        return QString();
    return QStringLiteral("X = ") + Scale::axisText(*valueX, chart.decimalsX, locale) + QStringLiteral("    Y = ")
         + Scale::axisText(*valueY, chart.decimalsY, locale);
}

} // namespace PointerReadout
