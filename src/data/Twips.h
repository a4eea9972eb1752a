// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// Twips: 1/1440 inch. Every position and size of the design is in twips; a
// screen pixel counts as 15 of them.
namespace Twips {

inline constexpr int perPixel = 15;

// Twips to whole pixels, halves to the even neighbour (7.5 px → 8, 8.5 px → 8).
inline int toPixels(double twips)
{
    const double pixels = twips / perPixel;
    double rounded = std::round(pixels);
    if (std::fabs(pixels - std::trunc(pixels)) == 0.5)
        rounded = 2.0 * std::round(pixels / 2.0);
    return static_cast<int>(rounded);
}

inline constexpr double fromPixels(double pixels) { return pixels * perPixel; }

} // namespace Twips
