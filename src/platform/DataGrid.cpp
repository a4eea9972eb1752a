// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataGrid.h"

#include "data/Rgb.h"
#include "data/Twips.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStringList>
#include <QTableView>

#include <algorithm>

namespace {

// Cells of a flex grid are narrow (a value column is 36 pixels): their text
// may use the cell's whole width, where the style would keep three pixels
// free on each side (this metric plus one) and cut "-10.00" or "Tmp50" to
// "-10...."; the glyphs' own side bearings keep them off the grid lines.
class CellStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_FocusFrameHMargin)
            return -1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

DataGrid::DataGrid(QWidget *parent)
    : QTableWidget(parent)
{
    m_cellStyle = new CellStyle;
    m_cellStyle->setParent(this);
    setStyle(m_cellStyle);
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

    // Created in this order so that the corner lies on top of the other two.
    m_fixedRow = makeFixedView(QStringLiteral("fixedRow"), QStringLiteral("Column captions"));
    m_fixedColumn = makeFixedView(QStringLiteral("fixedColumn"), QStringLiteral("Row captions"));
    m_fixedCorner = makeFixedView(QStringLiteral("fixedCorner"), QStringLiteral("Corner caption"));
    // Connected after the views took the model, so that their own sections
    // are already counted when these run.
    const auto follow = [this] { layoutFixedViews(); };
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(model(), &QAbstractItemModel::rowsInserted, this, follow);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, follow);
    connect(model(), &QAbstractItemModel::columnsInserted, this, follow);
    connect(model(), &QAbstractItemModel::columnsRemoved, this, follow);
    connect(model(), &QAbstractItemModel::modelReset, this, follow);
    layoutFixedViews();
}

DataGrid::~DataGrid()
{
    // The model outlives this part of the grid and tells of its own end.
    disconnect(model(), nullptr, this, nullptr);
    disconnect(horizontalHeader(), nullptr, this, nullptr);
    disconnect(verticalHeader(), nullptr, this, nullptr);
    // Stop filtering the fixed views' events first: a view being destroyed
    // still sends events, and the filter must not look at it then.
    for (FixedView *fixed : {&m_fixedRow, &m_fixedColumn, &m_fixedCorner})
        if (fixed->view)
            fixed->view->viewport()->removeEventFilter(this);
    for (FixedView *fixed : {&m_fixedRow, &m_fixedColumn, &m_fixedCorner}) {
        delete fixed->clip;
        *fixed = FixedView{};
    }
}

DataGrid::FixedView DataGrid::makeFixedView(const QString &name, const QString &accessibleName)
{
    FixedView fixed;
    fixed.clip = new QWidget(this);
    fixed.clip->setContextMenuPolicy(Qt::PreventContextMenu);
    fixed.view = new QTableView(fixed.clip);
    QTableView *view = fixed.view;
    view->setStyle(m_cellStyle);
    view->setObjectName(name);
    view->setAccessibleName(accessibleName);
    view->setModel(model());
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setMinimumSectionSize(0);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFocusPolicy(Qt::NoFocus);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setAutoScroll(false);
    view->setContextMenuPolicy(Qt::PreventContextMenu);
    // Every mouse event on the view is the grid's to handle.
    view->viewport()->installEventFilter(this);
    fixed.clip->hide();
    return fixed;
}

int DataGrid::fixedRowHeight() const
{
    return rowCount() > 0 ? rowHeight(0) : 0;
}

int DataGrid::fixedColumnWidth() const
{
    return columnCount() > 0 ? columnWidth(0) : 0;
}

void DataGrid::matchSections(QTableView *view) const
{
    for (const auto &[from, to] : {std::pair(horizontalHeader(), view->horizontalHeader()),
                                   std::pair(verticalHeader(), view->verticalHeader())}) {
        const int count = std::min(from->count(), to->count());
        for (int section = 0; section < count; ++section) {
            const bool hidden = from->isSectionHidden(section);
            if (to->isSectionHidden(section) != hidden)
                to->setSectionHidden(section, hidden);
            if (!hidden && to->sectionSize(section) != from->sectionSize(section))
                to->resizeSection(section, from->sectionSize(section));
        }
    }
    if (view->showGrid() != showGrid())
        view->setShowGrid(showGrid());
    if (view->gridStyle() != gridStyle())
        view->setGridStyle(gridStyle());
}

// Scrolling by whole cells, as a flex grid does: scroll value v hides the
// first v data columns (rows), and the next one starts right after the fixed
// column (row). The base class would start column (row) v at the viewport's
// edge, under the fixed cells, and at the end of the range it would line up
// the last one with the far edge, leaving a sliver of a cell beside the
// fixed ones.
void DataGrid::limitScrollRanges()
{
    const auto limit = [](const QHeaderView *header, QScrollBar *bar, int fixedSize, int room) {
        // The smallest v that shows every data cell from v + 1 on.
        int last = 0;
        while (last + 2 < header->count()
               && header->length() - header->sectionPosition(header->logicalIndex(last + 1)) > room - fixedSize)
            ++last;
        if (bar->maximum() != last)
            bar->setRange(0, last);
    };
    if (horizontalScrollMode() == ScrollPerItem)
        limit(horizontalHeader(), horizontalScrollBar(), fixedColumnWidth(), viewport()->width());
    if (verticalScrollMode() == ScrollPerItem)
        limit(verticalHeader(), verticalScrollBar(), fixedRowHeight(), viewport()->height());
}

void DataGrid::alignToFixedCells()
{
    bool moved = false;
    const auto align = [&moved](QHeaderView *header, const QScrollBar *bar, int fixedSize) {
        const int v = bar->value();
        int offset = 0;
        if (v > 0 && v + 1 < header->count())
            offset = std::max(0, header->sectionPosition(header->logicalIndex(v + 1)) - fixedSize);
        if (header->offset() != offset) {
            header->setOffset(offset);
            moved = true;
        }
    };
    if (horizontalScrollMode() == ScrollPerItem)
        align(horizontalHeader(), horizontalScrollBar(), fixedColumnWidth());
    if (verticalScrollMode() == ScrollPerItem)
        align(verticalHeader(), verticalScrollBar(), fixedRowHeight());
    if (moved)
        viewport()->update();
}

void DataGrid::layoutFixedViews()
{
    if (!m_fixedRow.view || !m_fixedColumn.view || !m_fixedCorner.view)
        return;
    alignToFixedCells();
    const QRect area = viewport()->geometry();
    const int rowHeight0 = fixedRowHeight();
    const int columnWidth0 = fixedColumnWidth();
    const int fullWidth = horizontalHeader()->length();
    const int fullHeight = verticalHeader()->length();
    const int dx = horizontalOffset();
    const int dy = verticalOffset();

    // The clip covers only the cells its view shows, so that the viewport
    // beyond the last column or row still takes the mouse.
    const auto place = [&](const FixedView &fixed, int clipWidth, int clipHeight, const QRect &inClip,
                           bool wanted) {
        clipWidth = std::min(clipWidth, area.width());
        clipHeight = std::min(clipHeight, area.height());
        const bool shown = wanted && clipWidth > 0 && clipHeight > 0;
        if (shown) {
            matchSections(fixed.view);
            fixed.clip->setGeometry(area.x(), area.y(), clipWidth, clipHeight);
            fixed.view->setGeometry(inClip);
            fixed.view->horizontalScrollBar()->setValue(0);
            fixed.view->verticalScrollBar()->setValue(0);
        }
        fixed.clip->setVisible(shown);
    };
    place(m_fixedRow, fullWidth - dx, rowHeight0, QRect(-dx, 0, fullWidth, rowHeight0), columnCount() > 1);
    place(m_fixedColumn, columnWidth0, fullHeight - dy, QRect(0, -dy, columnWidth0, fullHeight), rowCount() > 1);
    place(m_fixedCorner, columnWidth0, rowHeight0, QRect(0, 0, columnWidth0, rowHeight0), true);
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

void DataGrid::setCellToolTip(int row, int column, const QString &text)
{
    if (QTableWidgetItem *it = cell(row, column))
        it->setToolTip(text);
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

QTableWidgetSelectionRange DataGrid::setSelectionText(const QString &text)
{
    const QTableWidgetSelectionRange range = selectedRange();
    if (range.rowCount() <= 0 || range.columnCount() <= 0)
        return QTableWidgetSelectionRange();
    const QStringList rows = text.split(u'\r');
    const int rowsWritten = std::min(static_cast<int>(rows.size()), range.rowCount());
    int columnsWritten = 0;
    for (int r = 0; r < rowsWritten; ++r) {
        const QStringList cells = rows[r].split(u'\t');
        const int columns = std::min(static_cast<int>(cells.size()), range.columnCount());
        for (int c = 0; c < columns; ++c)
            setText(range.topRow() + r, range.leftColumn() + c, cells[c]);
        columnsWritten = std::max(columnsWritten, columns);
    }
    return QTableWidgetSelectionRange(range.topRow(), range.leftColumn(), range.topRow() + rowsWritten - 1,
                                      range.leftColumn() + columnsWritten - 1);
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

void DataGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableWidget::scrollTo(index, hint);
    if (!index.isValid())
        return;
    // The base class counts a cell under the fixed row or column as in view:
    // scroll back until it comes out.
    QScrollBar *bar = verticalScrollBar();
    for (int guard = rowCount(); guard > 0 && index.row() > 0 && bar->value() > bar->minimum(); --guard) {
        const int covered = fixedRowHeight() - rowViewportPosition(index.row());
        if (covered <= 0)
            break;
        bar->setValue(bar->value() - (verticalScrollMode() == ScrollPerItem ? 1 : covered));
    }
    bar = horizontalScrollBar();
    for (int guard = columnCount(); guard > 0 && index.column() > 0 && bar->value() > bar->minimum(); --guard) {
        const int covered = fixedColumnWidth() - columnViewportPosition(index.column());
        if (covered <= 0)
            break;
        bar->setValue(bar->value() - (horizontalScrollMode() == ScrollPerItem ? 1 : covered));
    }
    // Cells start after the fixed ones, so a cell the base class placed at
    // the far edge may still be cut there.
    if (verticalScrollMode() == ScrollPerItem) {
        bar = verticalScrollBar();
        for (int guard = rowCount(); guard > 0 && index.row() > 0 && bar->value() < bar->maximum(); --guard) {
            const int at = rowViewportPosition(index.row());
            if (at + rowHeight(index.row()) <= viewport()->height() || at <= fixedRowHeight())
                break;
            bar->setValue(bar->value() + 1);
        }
    }
    if (horizontalScrollMode() == ScrollPerItem) {
        bar = horizontalScrollBar();
        for (int guard = columnCount(); guard > 0 && index.column() > 0 && bar->value() < bar->maximum(); --guard) {
            const int at = columnViewportPosition(index.column());
            if (at + columnWidth(index.column()) <= viewport()->width() || at <= fixedColumnWidth())
                break;
            bar->setValue(bar->value() + 1);
        }
    }
}

void DataGrid::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    layoutFixedViews();
}

void DataGrid::updateGeometries()
{
    // The base class sets its own, shorter ranges, which may cut the value
    // short; put it back within the longer ones.
    const int horizontal = horizontalScrollBar()->value();
    const int vertical = verticalScrollBar()->value();
    QTableWidget::updateGeometries();
    limitScrollRanges();
    if (horizontalScrollMode() == ScrollPerItem)
        horizontalScrollBar()->setValue(horizontal);
    if (verticalScrollMode() == ScrollPerItem)
        verticalScrollBar()->setValue(vertical);
    layoutFixedViews();
}

bool DataGrid::viewportEvent(QEvent *event)
{
    const bool handled = QTableWidget::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        limitScrollRanges();
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        layoutFixedViews();
    return handled;
}

bool DataGrid::eventFilter(QObject *watched, QEvent *event)
{
    for (const FixedView *fixed : {&m_fixedRow, &m_fixedColumn, &m_fixedCorner}) {
        if (!fixed->view || watched != fixed->view->viewport())
            continue;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // As a press on a fixed cell of the grid itself, where the second
            // press of a double click is one more press: the event is raised,
            // the current cell and the selection stay.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (focusPolicy() & Qt::ClickFocus)
                setFocus(Qt::MouseFocusReason);
            const QPointF at = fixed->view->viewport()->mapTo(this, mouse->position());
            emit mouseDown(mouse->button(), mouse->modifiers(), Twips::fromPixels(at.x()),
                           Twips::fromPixels(at.y()));
            return true;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::ContextMenu:
            return true;
        case QEvent::Wheel:
            QCoreApplication::sendEvent(viewport(), event);
            return true;
        default:
            return false;
        }
    }
    return QTableWidget::eventFilter(watched, event);
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

void DataGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const QPointF beyond(m_fixedColumn.clip && m_fixedColumn.clip->isVisible()
                             ? std::max<qreal>(at.x(), fixedColumnWidth())
                             : at.x(),
                         m_fixedRow.clip && m_fixedRow.clip->isVisible()
                             ? std::max<qreal>(at.y(), fixedRowHeight())
                             : at.y());
    if (beyond == at || !(event->buttons() & Qt::LeftButton)) {
        QTableWidget::mouseMoveEvent(event);
        return;
    }
    QMouseEvent moved(event->type(), beyond, viewport()->mapToGlobal(beyond), event->button(),
                      event->buttons(), event->modifiers());
    QTableWidget::mouseMoveEvent(&moved);
    event->setAccepted(moved.isAccepted());
}
