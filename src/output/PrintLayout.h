// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/ChartPicture.h"

#include <QStringList>

#include <vector>

class QPagedPaintDevice;

// The values table as the page shows it: texts only, row 0 the header row,
// column 0 the month column.
struct PrintTable
{
    std::vector<QStringList> rows;
    // By column; a column without an entry prints black.
    std::vector<bool> greyColumns;
};

// The printed page: the heading "Tervalo" in the first heading style, an
// empty line in the second, the chart drawn at the device's own resolution,
// then the values table. A table wider than the page goes on in blocks
// below it, each block repeating the month column, and on further pages
// when the page is full: no column is ever cut off.
class PrintLayout
{
public:
    // Point sizes of the page's text.
    static constexpr double heading1Points = 18;
    static constexpr double heading2Points = 14;
    static constexpr double tablePoints = 9;

    // Paints everything on `device` (a printer or a PDF writer), starting
    // new pages as needed. Returns the number of pages used; 0 when the
    // device could not be painted on.
    static int paint(QPagedPaintDevice &device, const ChartPicture &chart, const PrintTable &table);
};
