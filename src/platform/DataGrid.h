// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableWidget>
#include <QtGlobal>

class QTableView;

#include <vector>

// A flex-grid-like table of text cells. Row 0 and column 0 are fixed: they
// hold captions and month labels, look like headers and cannot be selected by
// the user. They stay in view while the other cells scroll beneath them. The
// grid never edits a cell by itself: the window's handlers see
// every key first (keyDown, keyPress) and change the texts. Sizes are twips.
class DataGrid : public QTableWidget
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // Row and column counts: QTableWidget's rowCount()/setRowCount() and
    // columnCount()/setColumnCount() (larger adds at the end, smaller drops).

    QString text(int row, int column) const;
    void setText(int row, int column, const QString &text);
    QString currentText() const;
    void setCurrentText(const QString &text);

    int columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, int twips);
    // Centred both ways, for the column's present and future cells.
    void setColumnCentred(int column);

    // Colour in the program's red + 256 × green + 65536 × blue form.
    void setCellTextColour(int row, int column, qint32 colour);
    void setCellCentred(int row, int column);
    void setCellToolTip(int row, int column, const QString &text);

    // Empties the text of every cell, fixed cells included; counts stay.
    void clearTexts();
    // One row more at the end, its cells filled from column 0 with the text
    // split at tab characters.
    void appendRow(const QString &tabSeparated);

    // The selected rectangle, never reaching into the fixed row and column
    // (the current cell alone when nothing is selected); an invalid range
    // when there is no current cell either.
    QTableWidgetSelectionRange selectedRange() const;
    // Cells of a row joined by a tab, rows joined by a carriage return.
    QString selectionText() const;
    // The text split the same way goes into the selected range from its
    // top-left cell; text beyond the range is dropped, cells beyond the text
    // keep their contents. Returns the cells written (invalid: none).
    QTableWidgetSelectionRange setSelectionText(const QString &text);

    // Pixel height of one row; the design's 240 twips. The grid's font is
    // made small enough for its text to fit.
    static constexpr int rowHeightPixels = 16;

signals:
    // Every key as it goes down, before the grid moves the current cell.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A character key (Backspace, Enter and Escape included). The grid itself
    // does nothing with characters.
    void keyPress(QChar character, Qt::KeyboardModifiers modifiers);
    // Any mouse button; x and y in twips from the grid's top-left corner.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    // The platform's copy and paste keys (Ctrl+C, Ctrl+V, Ctrl+Insert,
    // Shift+Insert …); they raise keyDown but no keyPress.
    void copyRequested();
    void pasteRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // A drag over the fixed row or column reaches the first cells beyond
    // them, not the cells scrolled away beneath them.
    void mouseMoveEvent(QMouseEvent *event) override;
    // Keeps the keyboard's current cell out of the fixed row and column.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    // Also brings a cell out from under the fixed row and column.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    bool viewportEvent(QEvent *event) override;

private:
    QTableWidgetItem *cell(int row, int column);
    void styleCell(QTableWidgetItem *item, int row, int column) const;

    // The fixed row, the fixed column and their shared corner cell are
    // shown by views of the grid's own model laid over the viewport: each
    // view sits in a clip widget that covers the part of the viewport where
    // its cells belong, and moves inside it as the grid scrolls.
    struct FixedView
    {
        QWidget *clip = nullptr;
        QTableView *view = nullptr;
    };
    FixedView makeFixedView(const QString &name, const QString &accessibleName);
    void matchSections(QTableView *view) const;
    void limitScrollRanges();
    void alignToFixedCells();
    void layoutFixedViews();
    // Height of the fixed row and width of the fixed column as they stand
    // over the viewport; 0 when there is none.
    int fixedRowHeight() const;
    int fixedColumnWidth() const;

    QStyle *m_cellStyle = nullptr;
    std::vector<bool> m_centredColumns;
    FixedView m_fixedRow;
    FixedView m_fixedColumn;
    FixedView m_fixedCorner;
};
