// SPDX-License-Identifier: GPL-3.0-or-later
// Each data set's Köppen–Geiger climate class: the class row of the values
// table and the tooltips of the lists and the legend. The class is worked
// out from the data set's own numbers (MainState::setTemp, setPpt), which an
// edit of a month's cell updates, so it never depends on the table's
// rounding or on which way the columns are transposed.
#include "app/Form3.h"

#include "analysis/ClimateClass.h"
#include "app/Form3Design.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <limits>

namespace {

QString headerOf(int n, const char *quantity)
{
    return QLatin1String(quantity) + QString::number(n);
}

} // namespace

ClimateClass Form3::climateClass(int n) const
{
    if (n < 1 || n > m_state.setCount)
        return {};
    return ClimateClass::of(m_state.setTemp[n], m_state.setPpt[n]);
}

QString Form3::climateClassText(int n) const
{
    if (n < 1 || n > m_state.setCount)
        return {};
    const ClimateClass climate = climateClass(n);
    if (!climate.isValid())
        return QStringLiteral("No climate class: a month of this place in the values table is not a number.");
    QString text = QStringLiteral("K\u00f6ppen\u2013Geiger climate class ") + climate.codeAndName();
    for (const QString &step : climate.reasons())
        text += u'\n' + step.at(0).toUpper() + step.mid(1);
    return text;
}

// After transposition data set n's temperatures are in its second column,
// headed "Tmp n"; a data set loaded after it is not transposed.
int Form3::temperatureColumn(int n) const
{
    const DataGrid *grid = m_controls.Grid2;
    if (grid && grid->text(0, 2 * n) == headerOf(n, "Tmp"))
        return 2 * n;
    return 2 * n - 1;
}

void Form3::showClimateClass(int n)
{
    if (n < 1 || n > m_state.setCount)
        return;
    const Form3Controls &c = m_controls;
    const ClimateClass climate = climateClass(n);
    const QString text = climateClassText(n);

    if (DataGrid *grid = c.Grid2; grid && grid->rowCount() > Form3Design::gridClassRow) {
        const int temperature = temperatureColumn(n);
        const int precipitation = temperature == 2 * n ? 2 * n - 1 : 2 * n;
        grid->setText(Form3Design::gridClassRow, temperature, climate.isValid() ? climate.code() : QStringLiteral("\u2014"));
        grid->setCellToolTip(Form3Design::gridClassRow, temperature, text);
        grid->setText(Form3Design::gridClassRow, precipitation, QString());
        grid->setCellToolTip(Form3Design::gridClassRow, precipitation, QString());
    }

    QListWidgetItem *entry = c.List1 ? c.List1->item(n - 1) : nullptr;
    if (entry)
        entry->setToolTip(text);
    if (c.List2 && entry) {
        for (int i = 0; i < c.List2->count(); ++i)
            if (c.List2->item(i)->text() == entry->text())
                c.List2->item(i)->setToolTip(text);
    }
    // The label keeps saying that it can be placed.
    if (QLabel *label = Lab(n))
        label->setToolTip(text + QStringLiteral("\n\n") + (c.Lab[0] ? c.Lab[0]->toolTip() : QString()));
}

void Form3::showClimateClasses()
{
    for (int n = 1; n <= m_state.setCount; ++n)
        showClimateClass(n);
}

// A month's cell edited by the user gives that month its number; a text
// that is not a number leaves the month without one, so the class row shows
// no class rather than one from an old value. An edit of the class row
// itself is undone.
void Form3::valuesEdited(const QTableWidgetSelectionRange &cells)
{
    const DataGrid *grid = m_controls.Grid2;
    if (!grid)
        return;
    const int firstSet = std::max(1, (cells.leftColumn() + 1) / 2);
    const int lastSet = std::min(m_state.setCount, (cells.rightColumn() + 1) / 2);
    for (int n = firstSet; n <= lastSet; ++n) {
        const int temperature = temperatureColumn(n);
        for (int column : {2 * n - 1, 2 * n}) {
            if (column < cells.leftColumn() || column > cells.rightColumn())
                continue;
            auto &months = column == temperature ? m_state.setTemp[n] : m_state.setPpt[n];
            for (int row = std::max(1, cells.topRow()); row <= std::min(12, cells.bottomRow()); ++row)
                months[row] = NumberText::parse(grid->text(row, column))
                                  .value_or(std::numeric_limits<double>::quiet_NaN());
        }
        showClimateClass(n);
    }
}
