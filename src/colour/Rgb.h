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

inline QColor toQColor(qint32 colour) { return QColor(red(colour), green(colour), blue(colour)); }
inline qint32 fromQColor(const QColor &colour)
{
    return pack(colour.red(), colour.green(), colour.blue());
}

} // namespace Rgb
