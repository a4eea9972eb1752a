// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

// The chart values under the pointer, as the read-out box shows them while
// "Coord." is checked. Pure: positions and bounds in, text out.
namespace PointerReadout {

enum class Kind
{
    ClimateDiagram, // X from the pointer's horizontal position, Y from its height
    Normal,         // months along the bottom: both values from the height
};

struct Chart
{
    Kind kind = Kind::ClimateDiagram;
    // The plotting area in its own units (twips) and the axis bounds.
    double plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
    double scaleMinX = 0, scaleMaxX = 0, scaleMinY = 0, scaleMaxY = 0;
    // Indexes of the X and Y decimals lists ("0" … "0.0000"), as the axis
    // labels use them.
    int decimalsX = 1, decimalsY = 0;
};

// "X = " value "    Y = " value for the pointer at (x, y) of the plotting
// area, in the same units as the chart's plotLeft … plotBottom. Empty when
// the plotting area has no width or height.
QString text(const Chart &chart, double x, double y, const QLocale &locale = QLocale());

// The box is as wide as its text: 75 twips a character.
inline constexpr int twipsPerCharacter = 75;
inline int widthTwips(const QString &text) { return twipsPerCharacter * static_cast<int>(text.size()); }

} // namespace PointerReadout
