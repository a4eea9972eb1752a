// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <limits>

// Axis arithmetic of the chart, free of widgets: automatic bounds, division
// counts and positions, the range an axis is drawn over, and the text of an
// axis value.
namespace Scale {

// The automatic bounds lie 5 % of the data range beyond the data extremes.
inline constexpr double margin = 0.05;

// Start values of the running extremes after a reset: any value widens them.
inline constexpr double extremeMaxStart = -10000;
inline constexpr double extremeMinStart = 100000;

// Worked in long double and kept within the doubles, so that data near the
// largest double (which the reader accepts) still gives finite bounds.
inline double finiteBound(long double value)
{
    constexpr long double largest = std::numeric_limits<double>::max();
    return static_cast<double>(std::clamp(value, -largest, largest));
}
inline double lowerBound(double dataMin, double dataMax)
{
    return finiteBound(dataMin - margin * (static_cast<long double>(dataMax) - dataMin));
}
inline double upperBound(double dataMin, double dataMax)
{
    return finiteBound(dataMax + margin * (static_cast<long double>(dataMax) - dataMin));
}

// Divisions of an axis from its ticks list: 8 for "Default" (index 0),
// otherwise the number its text starts with. Fewer than 1 counts as 1; more
// than maxDivisions (only reachable through a typed text) as maxDivisions.
inline constexpr int defaultDivisions = 8;
inline constexpr int maxDivisions = 1000;
int divisionCount(int listIndex, QStringView text, const QLocale &locale = QLocale());

// Position k of n divisions of the segment a..b (k = 0 gives a, k = n gives b).
// Long double for the same reason as the bounds: b - a may pass the largest double.
inline double divisionPosition(double a, double b, int n, int k)
{
    return static_cast<double>(a + k * (static_cast<long double>(b) - a) / n);
}

// The range an axis is drawn over. Equal bounds would leave the axis without
// extent; it is then drawn over the value ± 1. The bounds themselves stay.
struct Range
{
    double low;
    double high;
};
inline Range drawnRange(double low, double high)
{
    if (low == high)
        return {low - 1, high + 1};
    return {low, high};
}

// An axis value with `decimals` decimals (patterns "###0" … "###0.0000"):
// halves away from zero, no grouping, the locale's decimal separator. Empty
// for decimals outside 0..4 (no decimals item selected).
QString axisText(double value, int decimals, const QLocale &locale = QLocale());

} // namespace Scale
