// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <vector>

// Where the legend's entries go so that every one of them shows. They stack
// in one column at the label font while that fits the height the legend may
// take. Beyond it they fill as many columns as the height needs, top to
// bottom and then left to right in their order; when those columns are wider
// than the legend may be, a smaller font (down to a size still easy to read)
// gives shorter rows and narrower columns. When even that is too wide, the
// smallest font is used and the legend grows wider than its room: an entry
// is never left out. Pixels throughout, in the legend frame.
class LegendLayout
{
public:
    struct Frame
    {
        QPoint first;        // top-left of the first entry, under the header
        int rowStep = 0;     // from one entry to the next at the label font
        int baseHeight = 0;  // the frame's height with no entry
        int rightMargin = 0; // after the last column
        int columnGap = 0;
        QSize room;          // the largest frame that fits where the legend lies
    };

    struct Result
    {
        QFont font;
        int rowStep = 0;
        int columns = 0;
        int rows = 0;
        std::vector<QRect> entries; // in the entries' order
        QSize frame;
    };

    // No smaller font than this is used (6 pt: 8 pixels on a 96 dpi screen).
    static constexpr double smallestPoints = 6;
    // The font shrinks in steps of this much (one pixel at 96 dpi).
    static constexpr double pointsStep = 0.75;

    static Result arrange(const QStringList &texts, const QFont &font, const Frame &frame);
};
