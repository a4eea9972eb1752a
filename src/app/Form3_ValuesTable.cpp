// SPDX-License-Identifier: GPL-3.0-or-later
// The values table: two columns per data set, a row of averages and a row
// of climate classes.
#include "app/Form3.h"

#include "app/Form3Design.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"
#include "data/Twips.h"

#include <QTableWidgetSelectionRange>

#include <algorithm>
#include <optional>

namespace {

constexpr int averageRow = 13;

// The average's decimals follow the quantity the column holds, which its
// header names: transposition moves the headers with the values.
int averageDecimals(const DataGrid &grid, int column)
{
    return grid.text(0, column).startsWith(QStringLiteral("Ppt")) ? 1 : 2;
}

} // namespace

// Temperatures with two decimals, precipitation with none.
QString Form3::tableText(Quantity quantity, double value)
{
    return NumberText::fixed(value, quantity == Quantity::Temperature ? 2 : 0);
}

// Adds the columns of data set setCount from fileTemp and filePrec. The
// averages are taken from the values as read, before rounding for display;
// an edit of a month cell works its column's average out again from the
// cells (Grid2_Edited).
void Form3::Grid2_Fill()
{
    DataGrid *grid = m_controls.Grid2;
    const int n = m_state.setCount;
    if (n < 1)
        return;

    if (n == 1) {
        grid->setRowCount(Form3Design::gridClassRow + 1);
        grid->setText(averageRow, 0, QStringLiteral("Average"));
        grid->setText(Form3Design::gridClassRow, 0, QStringLiteral("Class"));
        grid->setCellToolTip(Form3Design::gridClassRow, 0, QStringLiteral("K\u00f6ppen\u2013Geiger climate class"));
        for (int row = 0; row <= 12; ++row) {
            grid->setText(row, 0, QString::number(row));
            grid->setCellCentred(row, 0);
        }
    }
    grid->setText(0, 0, QStringLiteral("Month"));

    const int temperature = 2 * n - 1;
    const int precipitation = 2 * n;
    // A table given all its columns beforehand (a chart document opening)
    // keeps them.
    if (grid->columnCount() < 2 * n + 1)
        grid->setColumnCount(2 * n + 1);
    grid->setColumnWidthTwips(temperature, Form3Design::gridDataColumnWidth);
    grid->setColumnWidthTwips(precipitation, Form3Design::gridDataColumnWidth);

    // The table grows by the two new columns until its right edge would come
    // within 600 twips of the window's; beyond that it scrolls.
    const double left = Twips::fromPixels(grid->x());
    const double width = Twips::fromPixels(grid->width());
    if (outerWidthTwips() - Form3Design::gridWindowMargin > left + width)
        grid->resize(Twips::toPixels(width + 2 * Form3Design::gridDataColumnWidth), grid->height());

    grid->setText(0, temperature, QStringLiteral("Tmp") + QString::number(n));
    grid->setCellCentred(0, temperature);
    double sum = 0;
    for (int row = 1; row <= 12; ++row) {
        grid->setText(row, temperature, tableText(Quantity::Temperature, m_state.fileTemp[row]));
        grid->setCellCentred(row, temperature);
        sum += m_state.fileTemp[row];
    }
    grid->setText(averageRow, temperature, NumberText::fixed(sum / 12, 2));

    grid->setText(0, precipitation, QStringLiteral("Ppt") + QString::number(n));
    grid->setCellCentred(0, precipitation);
    sum = 0;
    for (int row = 1; row <= 12; ++row) {
        grid->setText(row, precipitation, tableText(Quantity::Precipitation, m_state.filePrec[row]));
        grid->setCellCentred(row, precipitation);
        sum += m_state.filePrec[row];
    }
    grid->setText(averageRow, precipitation, NumberText::fixed(sum / 12, 1));

    showClimateClass(n);
}

void Form3::Grid2_Edited(const QTableWidgetSelectionRange &cells)
{
    // The edited data sets' numbers and climate classes (an edit of the
    // class row itself is undone there).
    valuesEdited(cells);
    if (cells.bottomRow() < 1 || cells.topRow() > 12)
        return;
    for (int column = std::max(cells.leftColumn(), 1); column <= cells.rightColumn(); ++column)
        Grid2_Average(column);
}

// The mean of the twelve month cells as they read now. A cell that is not a
// number leaves no average to show: a dash, never a stale number.
void Form3::Grid2_Average(int column)
{
    DataGrid *grid = m_controls.Grid2;
    if (!grid || column < 1 || column >= grid->columnCount() || grid->rowCount() <= averageRow)
        return;
    double sum = 0;
    for (int row = 1; row <= 12; ++row) {
        const std::optional<double> value = NumberText::parse(grid->text(row, column));
        if (!value) {
            grid->setText(averageRow, column, QStringLiteral("—"));
            return;
        }
        sum += *value;
    }
    grid->setText(averageRow, column, NumberText::fixed(sum / 12, averageDecimals(*grid, column)));
}
