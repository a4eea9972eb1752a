// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataGrid.h"

#include "colour/Rgb.h"
#include "platform/Twips.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

#include <algorithm>

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

    // A row is 16 pixels high, grid line included: shrink the font until a
    // line of text fits with a pixel to spare above and below.
    QFont small = font();
    while (QFontMetrics(small).height() > rowHeightPixels - 3 && QFontInfo(small).pixelSize() > 8)
        small.setPixelSize(QFontInfo(small).pixelSize() - 1);
    setFont(small);
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
    // The bounding rectangle of what is selected, cut to the data cells.
    int top = rowCount(), left = columnCount(), bottom = -1, right = -1;
    for (const QTableWidgetSelectionRange &range : selectedRanges()) {
        top = std::min(top, std::max(range.topRow(), 1));
        left = std::min(left, std::max(range.leftColumn(), 1));
        bottom = std::max(bottom, range.bottomRow());
        right = std::max(right, range.rightColumn());
    }
    if (top <= bottom && left <= right)
        return QTableWidgetSelectionRange(top, left, bottom, right);
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
    event->accept();
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QTableWidget::keyPressEvent(event);
        return;
    // Keys that carry a character code of their own, whatever text the
    // platform attaches to them.
    case Qt::Key_Backspace:
        emit keyPress(QChar(8), event->modifiers());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit keyPress(QChar(13), event->modifiers());
        return;
    case Qt::Key_Escape:
        emit keyPress(QChar(27), event->modifiers());
        return;
    case Qt::Key_Delete:
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty())
        emit keyPress(text.front(), event->modifiers());
}

QModelIndex DataGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex target = QTableWidget::moveCursor(cursorAction, modifiers);
    if (!target.isValid())
        return target;
    const int row = std::max(target.row(), std::min(1, rowCount() - 1));
    const int column = std::max(target.column(), std::min(1, columnCount() - 1));
    return model()->index(row, column);
}

void DataGrid::mousePressEvent(QMouseEvent *event)
{
    // The event comes in the viewport's coordinates; the handlers measure
    // from the grid's own left edge.
    const QPointF at = event->position() + QPointF(viewport()->pos());
    emit mouseDown(event->button(), event->modifiers(), Twips::fromPixels(at.x()),
                   Twips::fromPixels(at.y()));
    // A right click leaves the current cell and the selection alone, and a
    // fixed cell never becomes current.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && (index.row() == 0 || index.column() == 0)) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}
