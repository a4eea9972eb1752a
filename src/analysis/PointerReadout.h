// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"
#include "chart/WalterLiethRenderer.h"

#include <QString>

#include <vector>

// The chart values under the pointer, as the read-out box shows them while
// "Coord." is checked. Pure: the chart's settings and a position in, text out.
namespace PointerReadout {

// "X = " value "    Y = " value for the pointer at (x, y) of the plotting
// area (twips, as the chart's plotLeft … plotBottom), each value with its
// axis's decimals. In the climate diagram X comes from the pointer's
// horizontal position and Y from its height; in the "Normal" month chart both
// come from the height, each on its own vertical scale. Empty when the
// plotting area has no width or height.
QString text(const ChartSettings &chart, double x, double y);

// Over a Walter–Lieth diagram (x, y in twips of the chart picture): the
// month under the pointer and the temperature and precipitation its height
// stands for on the two scales, the precipitation compressed above 100 mm
// and not given below 0, "Jul    T = 22.4 °C    P = 46 mm". Empty outside
// every diagram's plotting area.
QString walterLieth(const std::vector<WalterLiethDiagram> &diagrams, double x, double y);

// The box is as wide as its text: 75 twips a character.
inline constexpr int twipsPerCharacter = 75;
inline int widthTwips(const QString &text) { return twipsPerCharacter * static_cast<int>(text.size()); }

} // namespace PointerReadout
