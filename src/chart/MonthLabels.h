// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// The five ways of writing the months, in the order of the month label
// buttons: "January", "Jan", "J", "1", "Null". The texts are the program's
// own, leading blanks and spellings included.
namespace MonthLabels {

inline constexpr int styleCount = 5;
// The three-letter set, chosen at start and after a reset.
inline constexpr int initialStyle = 1;

inline constexpr std::array<std::array<const char *, 12>, styleCount> sets{{
    {"January", "February", "March", "April", "May", "June", "July", " Agust", "September", "October",
     " November", "Dicember"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Agu", "Sep", "Oct", "Nov", "Dic"},
    {"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"},
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"},
    {"", "", "", "", "", "", "", "", "", "", "", ""},
}};

// Elements 1..13 of a month label array for `style` (0..4): 13 repeats
// January, so a polygon through 1..13 closes on it. Element 0 and 14 stay
// empty.
inline std::array<QString, 15> of(int style)
{
    std::array<QString, 15> labels;
    for (int month = 1; month <= 12; ++month)
        labels[month] = QString::fromLatin1(sets[style][month - 1]);
    labels[13] = labels[1];
    return labels;
}

} // namespace MonthLabels
