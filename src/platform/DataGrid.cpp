// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataGrid.h"

#include "colour/Rgb.h"
#include "platform/Twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

DataGrid::DataGrid(QWidget *parent)
    : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(rowHeightPixels);
    verticalHeader()->setDefaultSectionSize(rowHeightPixels);
    horizontalHeader()->setMinimumSectionSize(4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
}

QTableWidgetItem *DataGrid::cell(int row, int column)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    QTableWidgetItem *it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        styleCell(it, row, column);
        setItem(row, column, it);
    }
    return it;
}

void DataGrid::styleCell(QTableWidgetItem *it, int row, int column) const
{
    if (row == 0 || column == 0) {
        it->setFlags(Qt::ItemIsEnabled);
        it->setBackground(palette().button());
    } else {
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    if (column < static_cast<int>(m_centredColumns.size()) && m_centredColumns[column])
        it->setTextAlignment(Qt::AlignCenter);
}

QString DataGrid::text(int row, int column) const
{
    const QTableWidgetItem *it = item(row, column);
    return it ? it->text() : QString();
}

void DataGrid::setText(int row, int column, const QString &text)
{
    if (QTableWidgetItem *it = cell(row, column))
        it->setText(text);
}

QString DataGrid::currentText() const
{
    return text(currentRow(), currentColumn());
}

void DataGrid::setCurrentText(const QString &text)
{
    setText(currentRow(), currentColumn(), text);
}

int DataGrid::columnWidthTwips(int column) const
{
    return columnWidth(column) * Twips::perPixel;
}

void DataGrid::setColumnWidthTwips(int column, int twips)
{
    setColumnWidth(column, Twips::toPixels(twips));
}

void DataGrid::setColumnCentred(int column)
{
    if (column < 0)
        return;
    if (column >= static_cast<int>(m_centredColumns.size()))
        m_centredColumns.resize(column + 1, false);
    m_centredColumns[column] = true;
    for (int row = 0; row < rowCount(); ++row)
        if (QTableWidgetItem *it = cell(row, column))
            it->setTextAlignment(Qt::AlignCenter);
}

void DataGrid::setCellTextColour(int row, int column, qint32 colour)
{
    if (QTableWidgetItem *it = cell(row, column))
        it->setForeground(Rgb::toQColor(colour));
}

void DataGrid::setCellCentred(int row, int column)
{
    if (QTableWidgetItem *it = cell(row, column))
        it->setTextAlignment(Qt::AlignCenter);
}

void DataGrid::clearTexts()
{
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (QTableWidgetItem *it = item(row, column))
                it->setText(QString());
}

void DataGrid::appendRow(const QString &tabSeparated)
{
    const int row = rowCount();
    setRowCount(row + 1);
    const QStringList cells = tabSeparated.split(u'\t');
    for (int column = 0; column < cells.size() && column < columnCount(); ++column)
        setText(row, column, cells[column]);
}

QTableWidgetSelectionRange DataGrid::selectedRange() const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (!ranges.isEmpty())
        return ranges.constFirst();
    if (currentRow() < 0 || currentColumn() < 0)
        return QTableWidgetSelectionRange();
    return QTableWidgetSelectionRange(currentRow(), currentColumn(), currentRow(), currentColumn());
}

QString DataGrid::selectionText() const
{
    const QTableWidgetSelectionRange range = selectedRange();
    if (range.rowCount() <= 0 || range.columnCount() <= 0)
        return QString();
    QStringList rows;
    for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
        QStringList cells;
        for (int column = range.leftColumn(); column <= range.rightColumn(); ++column)
            cells << text(row, column);
        rows << cells.join(u'\t');
    }
    return rows.join(u'\r');
}

void DataGrid::setSelectionText(const QString &text)
{
    const QTableWidgetSelectionRange range = selectedRange();
    if (range.rowCount() <= 0 || range.columnCount() <= 0)
        return;
    const QStringList rows = text.split(u'\r');
    for (int r = 0; r < rows.size() && r < range.rowCount(); ++r) {
        const QStringList cells = rows[r].split(u'\t');
        for (int c = 0; c < cells.size() && c < range.columnCount(); ++c)
            setText(range.topRow() + r, range.leftColumn() + c, cells[c]);
    }
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    emit keyDown(event->key(), event->modifiers());
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QTableWidget::keyPressEvent(event);
        return;
    case Qt::Key_Delete:
        event->accept();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty())
        emit keyPress(text.front(), event->modifiers());
    event->accept();
}

void DataGrid::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseDown(event->button(), event->modifiers(), Twips::fromPixels(at.x()),
                   Twips::fromPixels(at.y()));
    // A right click leaves the current cell and the selection alone.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}
