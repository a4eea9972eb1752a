// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PointerReadout.h"

#include "chart/MonthLabels.h"
#include "chart/PlotMapping.h"
#include "chart/Scale.h"
#include "chart/WalterLiethScale.h"
#include "data/NumberText.h"

#include <algorithm>
#include <cmath>

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

QString walterLieth(const std::vector<WalterLiethDiagram> &diagrams, double x, double y)
{
    for (const WalterLiethDiagram &diagram : diagrams) {
        const QRectF &plot = diagram.plot;
        if (!(plot.width() > 0 && plot.height() > 0) || x < plot.left() || x > plot.right() || y < plot.top()
            || y > plot.bottom())
            continue;
        const int column = std::clamp(static_cast<int>(std::floor((x - plot.left()) * 12 / plot.width())), 0, 11);
        const int month = (diagram.firstMonth - 1 + column) % 12;
        const double level = diagram.top - (y - plot.top()) * (diagram.top - diagram.bottom) / plot.height();
        QString text = QString::fromLatin1(MonthLabels::sets[1][month]) + QStringLiteral("    T = ")
                     + NumberText::fixed(level, 1) + QStringLiteral(" \u00B0C");
        if (level >= 0)
            text += QStringLiteral("    P = ") + NumberText::fixed(WalterLiethScale::precipitationAt(level), 0)
                  + QStringLiteral(" mm");
        return text;
    }
    return QString();
}

} // namespace PointerReadout
