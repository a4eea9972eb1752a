// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"

#include <QPolygonF>

#include <array>
#include <optional>
#include <vector>

// The arithmetic of the Walter–Lieth climate diagram, free of drawing: the
// two matched scales, the extent of the chart, the first month, and the
// humid, arid and very wet areas between the curves.
//
// Both curves are drawn against one scale, the left axis's degrees Celsius
// ("levels"): 10 °C stands as high as 20 mm of precipitation, so a month is
// arid where its precipitation curve lies below its temperature curve
// (P < 2T). From 100 mm up the precipitation scale is compressed ten times:
// one 10 °C step is then 200 mm (300 mm one step above 100 mm, 500 mm two).
namespace WalterLiethScale {

// Months 1..12, element 0 unused, as in a data set.
using Months = std::array<double, 13>;
// Twelve values in the order the diagram shows them, left to right.
using Shown = std::array<double, 12>;

inline constexpr double labelStep = 10;           // °C between labels
inline constexpr double mmPerDegree = 2;          // below 100 mm
inline constexpr double compressedMmPerDegree = 20;
inline constexpr double compressionStart = 100;   // mm
inline constexpr double compressionLevel = compressionStart / mmPerDegree;   // 50
// The least top of a diagram: 50 °C, the height of 100 mm.
inline constexpr double leastTop = compressionLevel;

// The height of a precipitation (mm) on the left axis's scale.
double level(double precipitation);
// The precipitation shown at a height: the inverse of level.
double precipitationAt(double level);

// The bottom of the chart: 0, or the multiple of 10 at or below the
// coldest month (or below a precipitation under 0, a fault of the data
// that is drawn all the same).
double bottom(const Months &temp, const Months &prec);
// The top: the larger of 50 (100 mm) and what the warmest month and the
// wettest month need, rounded up to the next label (a 200 mm step in the
// compressed band). A fixed top, where given, is kept unless a month would
// not fit under it.
double top(const Months &temp, const Months &prec, std::optional<double> fixedTop = std::nullopt);

// 1 or 7. Automatic starts with July for a place in the southern
// hemisphere: by its latitude where known, else when December to February
// are warmer on average than June to August.
int firstMonth(MonthOrder order, std::optional<double> latitude, const Months &temp);
// The twelve months as shown when the diagram starts with `first`.
Shown inOrder(const Months &values, int first);

// The areas where `upper` lies above `lower`, the curves running through
// the column middles 0.5, 1.5 … 11.5 (x) at their values (y). Each area is
// closed: along `upper` left to right, then back along `lower`. Where the
// curves cross between two months the crossing is interpolated linearly and
// is a corner of both neighbouring areas; an area never reaches past the
// first or last column middle.
std::vector<QPolygonF> areasAbove(const Shown &upper, const Shown &lower);

} // namespace WalterLiethScale
