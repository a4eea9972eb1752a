// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/Scale.h"

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

    double x(double value) const
    {
        return m_left + (value - m_horizontal.low) * (m_right - m_left) / (m_horizontal.high - m_horizontal.low);
    }
    double y(double value) const
    {
        return m_bottom - (value - m_vertical.low) * (m_bottom - m_top) / (m_vertical.high - m_vertical.low);
    }

private:
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
        if (m_right == m_left)
            return std::nullopt;
        return m_horizontal.low + (position - m_left) * (m_horizontal.high - m_horizontal.low) / (m_right - m_left);
    }
    std::optional<double> atY(double position) const
    {
        if (m_bottom == m_top)
            return std::nullopt;
        return m_vertical.high - (position - m_top) * (m_vertical.high - m_vertical.low) / (m_bottom - m_top);
    }

private:
    double m_left, m_top, m_right, m_bottom;
    Scale::Range m_horizontal, m_vertical;
};
