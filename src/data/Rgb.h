// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSet.h"

#include <QColor>
#include <QtGlobal>

#include <array>

// The program's colour value: red + 256 × green + 65536 × blue, each 0..255;
// black is 0. Stored in the per-data-set tables and passed to the drawing code.
namespace Rgb {

inline constexpr qint32 pack(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}
inline constexpr int red(qint32 colour) { return colour & 0xFF; }
inline constexpr int green(qint32 colour) { return (colour >> 8) & 0xFF; }
inline constexpr int blue(qint32 colour) { return (colour >> 16) & 0xFF; }

// Colours of data sets 1..50 until the user chooses others (element 0 is no
// data set's). Data sets 1..7 have the design's colours, which reset all
// gives back. Data sets 8..50 take eight hues of the Okabe–Ito and Tol
// colour-blind-safe palettes in turn, a light one (sky blue, reddish purple,
// orange, bluish green) after a dark one (vermillion, blue, green, indigo),
// each round of eight at another lightness: neighbouring numbers differ in
// lightness as well as hue, so readers who confuse red and green still tell
// them apart. Every colour stands out from the white chart (a contrast of
// 2.7:1 or more, darker than Okabe–Ito's own sky blue and orange), from
// black and from the greys of the grid and the area measurement. The
// lightness steps were taken in OKLab.
inline constexpr std::array<qint32, maxDataSets + 1> defaultSetColours = {
    0,
    pack(255, 0, 0), pack(0, 110, 0), pack(0, 0, 255), pack(150, 150, 0),
    pack(0, 150, 150), pack(0, 0, 150), pack(200, 100, 50),
    // 8..15
    pack(60, 156, 208), pack(133, 57, 4), pack(198, 115, 161), pack(5, 87, 136),
    pack(192, 133, 13), pack(4, 100, 40), pack(35, 171, 127), pack(73, 63, 166),
    // 16..23
    pack(36, 138, 189), pack(108, 45, 3), pack(178, 97, 143), pack(0, 70, 112),
    pack(169, 117, 8), pack(3, 81, 31), pack(17, 151, 110), pack(58, 45, 146),
    // 24..31
    pack(67, 163, 215), pack(150, 65, 4), pack(204, 121, 167), pack(6, 99, 154),
    pack(200, 139, 14), pack(3, 113, 45), pack(45, 177, 133), pack(83, 75, 179),
    // 32..39
    pack(45, 144, 195), pack(121, 51, 2), pack(184, 103, 149), pack(3, 78, 124),
    pack(177, 122, 11), pack(1, 91, 35), pack(0, 158, 115), pack(65, 54, 156),
    // 40..47
    pack(21, 129, 179), pack(97, 39, 0), pack(168, 88, 134), pack(1, 62, 99),
    pack(157, 109, 11), pack(0, 72, 26), pack(4, 141, 102), pack(52, 35, 137),
    // 48..50
    pack(53, 150, 202), pack(142, 60, 1), pack(191, 109, 155),
};

inline QColor toQColor(qint32 colour) { return QColor(red(colour), green(colour), blue(colour)); }
inline qint32 fromQColor(const QColor &colour)
{
    return pack(colour.red(), colour.green(), colour.blue());
}

} // namespace Rgb
