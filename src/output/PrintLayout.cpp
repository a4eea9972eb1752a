// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintLayout.h"
#include "output/PageStyle.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Positions of the page in twips (1/1440 inch), from the paintable area's
// top-left corner: the table starts at the left edge, the chart half an
// inch in from it, the heading another half inch in.
constexpr double headingIndent = 1000;
constexpr double chartIndent = 500;
constexpr double chartToTable = 600;
constexpr double blockGap = 240;
constexpr double cellPadding = 60;
constexpr double minimumDataColumn = 540;   // the values table's column width
constexpr double screenPixelTwips = 15;

const QColor greyText(200, 200, 200);
// Device units per twip, across and down.
struct Scale
{
    double x;
    double y;
};

// Splits the data columns 1..n−1 into blocks that fit `available` next to
// the month column; every block holds at least one column.
std::vector<std::vector<int>> columnBlocks(const std::vector<double> &widths, double available)
{
    std::vector<std::vector<int>> blocks;
    std::vector<int> block{0};
    double used = widths.empty() ? 0 : widths[0];
    for (int c = 1; c < static_cast<int>(widths.size()); ++c) {
        if (block.size() > 1 && used + widths[c] > available) {
            blocks.push_back(block);
            block = {0};
            used = widths[0];
        }
        block.push_back(c);
        used += widths[c];
    }
    blocks.push_back(block);
    return blocks;
}

} // namespace

int PrintLayout::paint(QPagedPaintDevice &device, const ChartPicture &chart, const PrintTable &table)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const Scale unit{device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0};
    const double pageWidth = device.width();
    const double pageHeight = device.height();
    int pages = 1;
    double y = 0;

    const QFont heading1 = PageStyle::font(heading1Points, true);
    const QFont heading2 = PageStyle::font(heading2Points, true);
    const QFontMetricsF heading1Metrics(heading1, &device);
    painter.setPen(Qt::black);
    painter.setFont(heading1);
    painter.drawText(QPointF(headingIndent * unit.x, y + heading1Metrics.ascent()), QStringLiteral("Tervalo"));
    y += heading1Metrics.lineSpacing();
    // The empty line of the second heading style.
    y += QFontMetricsF(heading2, &device).lineSpacing();

    // The chart at the size it has on the screen, made smaller only when
    // the page is too small for it.
    if (chart.isValid()) {
        const double left = chartIndent * unit.x;
        const double width = chart.pixelSize.width() * screenPixelTwips * unit.x;
        const double height = chart.pixelSize.height() * screenPixelTwips * unit.y;
        const double fit = std::min({1.0, (pageWidth - left) / width, (pageHeight - y) / height});
        const QRectF target(left, y, width * fit, height * fit);
        painter.save();
        painter.setClipRect(target);
        chart.paint(painter, target);
        painter.restore();
        y += target.height();
    }
    y += chartToTable * unit.y;

    // The table: every column as wide as its widest text, data columns at
    // least as wide as on the screen.
    const QFont cellFont = PageStyle::font(tablePoints, false);
    const QFont headerFont = PageStyle::font(tablePoints, true);
    const QFontMetricsF metrics(headerFont, &device);
    std::size_t columns = 0;
    for (const QStringList &row : table.rows)
        columns = std::max<std::size_t>(columns, row.size());
    std::vector<double> widths(columns, 0);
    for (std::size_t c = 0; c < columns; ++c) {
        double widest = 0;
        for (const QStringList &row : table.rows)
            if (c < static_cast<std::size_t>(row.size()))
                widest = std::max(widest, metrics.horizontalAdvance(row[c]));
        widths[c] = widest + 2 * cellPadding * unit.x;
        if (c > 0)
            widths[c] = std::max(widths[c], minimumDataColumn * unit.x);
    }
    const double rowHeight = std::max(metrics.height() * 1.5, 240 * unit.y);
    const double blockHeight = rowHeight * static_cast<double>(table.rows.size());
    QPen rule(PageStyle::ruleColour());
    rule.setWidthF(10 * unit.x);   // half a point

    for (const std::vector<int> &block : columnBlocks(widths, pageWidth)) {
        if (table.rows.empty() || columns == 0)
            break;
        if (y > 0 && y + blockHeight > pageHeight) {
            if (!device.newPage())
                break;
            ++pages;
            y = 0;
        }
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const QStringList &row = table.rows[r];
            double x = 0;
            for (int c : block) {
                const QRectF cell(x, y + rowHeight * static_cast<double>(r), widths[c], rowHeight);
                const bool header = r == 0 || c == 0;
                if (header)
                    painter.fillRect(cell, PageStyle::headerFill());
                painter.setPen(rule);
                painter.drawRect(cell);
                const bool grey = c < static_cast<int>(table.greyColumns.size()) && table.greyColumns[c];
                painter.setPen(grey ? greyText : QColor(Qt::black));
                painter.setFont(r == 0 ? headerFont : cellFont);
                if (c < row.size())
                    painter.drawText(cell, Qt::AlignCenter, row[c]);
                x += widths[c];
            }
        }
        y += blockHeight + blockGap * unit.y;
    }
    painter.end();
    return pages;
}
