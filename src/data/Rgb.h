// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

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

// Colours of data sets 1..7 until the user chooses others (element 0 is no
// data set's).
inline constexpr qint32 defaultSetColours[8] = {
    0,
    pack(255, 0, 0),
    pack(0, 110, 0),
    pack(0, 0, 255),
    pack(150, 150, 0),
    pack(0, 150, 150),
    pack(0, 0, 150),
    pack(200, 100, 50),
};

inline QColor toQColor(qint32 colour) { return QColor(red(colour), green(colour), blue(colour)); }
inline qint32 fromQColor(const QColor &colour)
{
    return pack(colour.red(), colour.green(), colour.blue());
}

} // namespace Rgb
