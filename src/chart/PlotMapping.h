// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/Scale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

// Maps chart values into the plotting area (twips, the Y axis growing
// upwards): a value at the lower bound lies on the left or bottom edge, one
// at the upper bound on the right or top edge.
class PlotMapping
{
public:
    PlotMapping(double left, double top, double right, double bottom,
                Scale::Range horizontal, Scale::Range vertical)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom),
          m_horizontal(horizontal), m_vertical(vertical)
    {
    }

    double x(double value) const { return m_left + offset(value, m_horizontal, m_right - m_left); }
    double y(double value) const { return m_bottom - offset(value, m_vertical, m_bottom - m_top); }

private:
    // How far `value` lies from the range's low end, in twips along an edge
    // of `length`. The arithmetic runs in long double, whose exponent range
    // holds every difference and product of finite doubles: values near the
    // largest double map without overflowing.
    // A range too narrow to tell its ends apart puts every value in the middle.
    static double offset(double value, Scale::Range range, double length)
    {
        const long double span = static_cast<long double>(range.high) - range.low;
        if (span == 0)
            return length / 2;
        const long double twips = (static_cast<long double>(value) - range.low) / span * length;
        // Far beyond the range, clamped to the doubles: such a point still
        // draws, off the edge.
        constexpr long double farthest = std::numeric_limits<double>::max();
        return static_cast<double>(std::clamp(twips, -farthest, farthest));
    }

    double m_left, m_top, m_right, m_bottom;
    Scale::Range m_horizontal, m_vertical;
};

// The inverse of PlotMapping: the chart value at a position of the plotting
// area, as the pointer read-out shows it. The left edge gives the horizontal
// range's lower bound, the top edge the vertical range's upper bound. No
// value when the area has no extent in that direction.
class PlotPositionValue
{
public:
    PlotPositionValue(double left, double top, double right, double bottom,
                      Scale::Range horizontal, Scale::Range vertical)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom),
          m_horizontal(horizontal), m_vertical(vertical)
    {
    }

    std::optional<double> atX(double position) const
    {
        return value(position - m_left, m_right - m_left, m_horizontal.low, m_horizontal.high);
    }
    std::optional<double> atY(double position) const
    {
        return value(position - m_top, m_bottom - m_top, m_vertical.high, m_vertical.low);
    }

private:
    // The value `distance` twips along an edge of `length` that runs from
    // `from` to `to`; in long double, as the mapping, so that huge bounds
    // do not overflow. No value for an edge without length or a result
    // beyond the doubles.
    static std::optional<double> value(double distance, double length, double from, double to)
    {
        if (length == 0)
            return std::nullopt;
        const long double result = from + static_cast<long double>(distance) / length * (static_cast<long double>(to) - from);
        if (!(std::fabs(result) <= std::numeric_limits<double>::max()))
            return std::nullopt;
        return static_cast<double>(result);
    }

    double m_left, m_top, m_right, m_bottom;
    Scale::Range m_horizontal, m_vertical;
};
