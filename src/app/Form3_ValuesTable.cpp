// SPDX-License-Identifier: GPL-3.0-or-later
// The values table: two columns per data set, a row of averages.
#include "app/Form3.h"

#include "app/Form3Design.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"
#include "data/Twips.h"

// Temperatures with two decimals, precipitation with none.
QString Form3::tableText(Quantity quantity, double value)
{
    return NumberText::fixed(value, quantity == Quantity::Temperature ? 2 : 0);
}

// Adds the columns of data set setCount from fileTemp and filePrec. The
// averages are taken from the values as read, before rounding for display,
// and are written once: later edits of the monthly cells leave them alone.
void Form3::Grid2_Fill()
{
    DataGrid *grid = m_controls.Grid2;
    const int n = m_state.setCount;
    if (n < 1)
        return;

    if (n == 1) {
        grid->setRowCount(14);
        grid->setText(13, 0, QStringLiteral("Average"));
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
    grid->setText(13, temperature, NumberText::fixed(sum / 12, 2));

    grid->setText(0, precipitation, QStringLiteral("Ppt") + QString::number(n));
    grid->setCellCentred(0, precipitation);
    sum = 0;
    for (int row = 1; row <= 12; ++row) {
        grid->setText(row, precipitation, tableText(Quantity::Precipitation, m_state.filePrec[row]));
        grid->setCellCentred(row, precipitation);
        sum += m_state.filePrec[row];
    }
    grid->setText(13, precipitation, NumberText::fixed(sum / 12, 1));
}
