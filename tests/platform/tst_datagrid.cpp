// SPDX-License-Identifier: GPL-3.0-or-later
// The grid control: cell texts, the selection as text, the fixed row and
// column, and the events it raises for the window's handlers.
#include "platform/DataGrid.h"

#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

class TestDataGrid : public QObject
{
    Q_OBJECT

private:
    // 5 rows × 4 columns; cell (r, c) holds "rc" for the data cells.
    std::unique_ptr<DataGrid> makeGrid()
    {
        auto grid = std::make_unique<DataGrid>();
        grid->setRowCount(5);
        grid->setColumnCount(4);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                grid->setText(r, c, QString::number(r) + QString::number(c));
        for (int c = 0; c < 4; ++c)
            grid->setColumnWidthTwips(c, 800);
        grid->resize(260, 120);
        return grid;
    }

    // Laid out like the main window's values table: 14 rows of month
    // labels and captions, seven data sets, too small to show them all.
    std::unique_ptr<DataGrid> makeValuesTable()
    {
        auto grid = std::make_unique<DataGrid>();
        grid->setRowCount(14);
        grid->setColumnCount(15);
        grid->setColumnWidthTwips(0, 900);
        grid->setText(0, 0, QStringLiteral("Month"));
        for (int r = 1; r < 14; ++r)
            grid->setText(r, 0, QStringLiteral("M%1").arg(r));
        for (int c = 1; c < 15; ++c) {
            grid->setColumnWidthTwips(c, 540);
            grid->setText(0, c, QStringLiteral("C%1").arg(c));
            for (int r = 1; r < 14; ++r)
                grid->setText(r, c, QString::number(r * 100 + c));
        }
        grid->resize(250, 113);
        grid->show();
        return grid;
    }

    // The cell drawn at a point of the grid, whichever view draws it there.
    static QModelIndex cellShownAt(DataGrid *grid, QPoint at)
    {
        QWidget *under = grid->childAt(at);
        auto *view = under ? qobject_cast<QAbstractItemView *>(under->parentWidget()) : nullptr;
        if (!view || under != view->viewport())
            return {};
        return view->indexAt(under->mapFrom(grid, at));
    }

    // Pixels of a region of the grid's picture whose red stands well above
    // their green and blue.
    static int reddishPixels(DataGrid *grid, const QRect &region)
    {
        const QImage image = grid->grab(region).toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                count += colour.red() - std::max(colour.green(), colour.blue()) > 80;
            }
        return count;
    }

private slots:
    // The copy and paste tests of the editor cover ranges of data cells;
    // here the edges: the current cell alone, and a range asked to reach
    // into the fixed row and column.
    void selectionText()
    {
        auto grid = makeGrid();
        grid->setCurrentCell(3, 2);
        grid->clearSelection();
        QCOMPARE(grid->selectionText(), QStringLiteral("32"));
        grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 2, 1), true);
        QCOMPARE(grid->selectionText(), QStringLiteral("11\r21"));
        grid->setSelectionText(QStringLiteral("a\rb\rc"));
        QCOMPARE(grid->text(0, 0) + grid->text(1, 1) + grid->text(2, 1) + grid->text(3, 1),
                 QStringLiteral("00ab31"));
    }

    void clearKeepsCountsAndEmptiesFixedCells()
    {
        auto grid = makeGrid();
        grid->clearTexts();
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(grid->columnCount(), 4);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                QVERIFY(grid->text(r, c).isEmpty());
    }

    void widthsInTwips()
    {
        auto grid = makeGrid();
        grid->setColumnWidthTwips(1, 540);
        QCOMPARE(grid->columnWidth(1), 36);
        QCOMPARE(grid->columnWidthTwips(1), 540);
        // 800 twips are 53.3 pixels: the grid keeps whole pixels.
        QCOMPARE(grid->columnWidth(2), 53);
        QCOMPARE(grid->columnWidthTwips(2), 795);
    }

    void textFitsTheRowHeight()
    {
        auto grid = makeGrid();
        QVERIFY(QFontMetrics(grid->font()).height() <= DataGrid::rowHeightPixels - 3);
    }

    void keyboardStaysOutOfFixedCells_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("up") << int(Qt::Key_Up) << Qt::KeyboardModifiers() << 1 << 1;
        QTest::newRow("left") << int(Qt::Key_Left) << Qt::KeyboardModifiers() << 1 << 1;
        QTest::newRow("home") << int(Qt::Key_Home) << Qt::KeyboardModifiers() << 1 << 1;
        QTest::newRow("ctrl+home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::ControlModifier) << 1 << 1;
        QTest::newRow("down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << 2 << 1;
        QTest::newRow("right") << int(Qt::Key_Right) << Qt::KeyboardModifiers() << 1 << 2;
    }
    void keyboardStaysOutOfFixedCells()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, row);
        QFETCH(int, column);
        auto grid = makeGrid();
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setCurrentCell(1, 1);
        QTest::keyClick(grid.get(), Qt::Key(key), modifiers);
        QCOMPARE(grid->currentRow(), row);
        QCOMPARE(grid->currentColumn(), column);
    }

    void shiftArrowsExtendTheSelection()
    {
        auto grid = makeGrid();
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setCurrentCell(1, 1);
        QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(grid->selectionText(), QStringLiteral("11\t12\r21\t22"));
    }

    void clicks()
    {
        auto grid = makeGrid();
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setCurrentCell(2, 2);
        QSignalSpy mouse(grid.get(), &DataGrid::mouseDown);

        // A fixed cell never becomes current; a right click moves nothing.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(3, 0)).center());
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, grid->visualItemRect(grid->item(3, 3)).center());
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(grid->currentColumn(), 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(3, 1)).center());
        QCOMPARE(grid->currentRow(), 3);
        QCOMPARE(grid->currentColumn(), 1);

        // Positions are twips from the grid's own top-left corner, frame included.
        QCOMPARE(mouse.size(), 4);
        const QPoint at(10, 20);
        QTest::mouseClick(grid->viewport(), Qt::RightButton, Qt::ShiftModifier, at);
        const QList<QVariant> last = mouse.constLast();
        QCOMPARE(last[0].value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(last[1].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        const QPoint inGrid = grid->viewport()->mapTo(grid.get(), at);
        QCOMPARE(last[2].toDouble(), inGrid.x() * 15.0);
        QCOMPARE(last[3].toDouble(), inGrid.y() * 15.0);
    }

    void fixedRowAndColumnStayInView_data()
    {
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("right");
        QTest::newRow("unscrolled") << false << false;
        QTest::newRow("down") << true << false;
        QTest::newRow("right") << false << true;
        QTest::newRow("down and right") << true << true;
    }
    void fixedRowAndColumnStayInView()
    {
        QFETCH(bool, down);
        QFETCH(bool, right);
        auto grid = makeValuesTable();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        QScrollBar *vertical = grid->verticalScrollBar();
        QScrollBar *horizontal = grid->horizontalScrollBar();
        QVERIFY(vertical->maximum() > 0 && horizontal->maximum() > 0);
        if (down)
            vertical->setValue(vertical->maximum());
        if (right)
            horizontal->setValue(horizontal->maximum());

        const QRect area = grid->viewport()->geometry();
        const int top = area.top() + grid->rowHeight(0) / 2;
        const int left = area.left() + grid->columnWidth(0) / 2;
        const int middleX = area.left() + grid->columnWidth(0) + 5;
        const int middleY = area.top() + grid->rowHeight(0) + 5;
        const int belowRow = grid->rowAt(middleY - area.top());
        const int beyondColumn = grid->columnAt(middleX - area.left());
        QCOMPARE(belowRow > 1, down);
        QCOMPARE(beyondColumn > 1, right);
        // Whole cells scroll: the first one beyond the fixed cells starts
        // right after them, and the last one is not cut at the far edge.
        QCOMPARE(grid->columnViewportPosition(beyondColumn), grid->columnWidth(0));
        QCOMPARE(grid->rowViewportPosition(belowRow), grid->rowHeight(0));
        QVERIFY(grid->columnViewportPosition(14) + grid->columnWidth(14) <= area.width() || !right);
        QVERIFY(grid->rowViewportPosition(13) + grid->rowHeight(13) <= area.height() || !down);

        QCOMPARE(cellShownAt(grid.get(), {left, top}), grid->model()->index(0, 0));
        // The caption row follows the columns sideways, the month column
        // follows the rows up and down.
        QCOMPARE(cellShownAt(grid.get(), {middleX, top}), grid->model()->index(0, beyondColumn));
        QCOMPARE(cellShownAt(grid.get(), {left, middleY}), grid->model()->index(belowRow, 0));
        QCOMPARE(cellShownAt(grid.get(), {middleX, middleY}), grid->model()->index(belowRow, beyondColumn));
        const int lastX = area.left() + grid->columnViewportPosition(14) + 5;
        const int lastY = area.top() + grid->rowViewportPosition(13) + 5;
        if (right)
            QCOMPARE(cellShownAt(grid.get(), {lastX, top}), grid->model()->index(0, 14));
        if (down)
            QCOMPARE(cellShownAt(grid.get(), {left, lastY}), grid->model()->index(13, 0));
    }

    void fixedCellsShowChanges()
    {
        auto grid = makeValuesTable();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        const QRect area = grid->viewport()->geometry();
        const int column = grid->columnAt(grid->columnWidth(0) + 5);
        const int row = grid->rowAt(grid->rowHeight(0) + 5);
        const QRect caption(area.left() + grid->columnViewportPosition(column), area.top(),
                            grid->columnWidth(column), grid->rowHeight(0));
        const QRect month(area.left(), area.top() + grid->rowViewportPosition(row), grid->columnWidth(0),
                          grid->rowHeight(row));

        // Texts and colours written into the fixed cells, as the chart
        // writes month labels and greys captions, show where they stay.
        const QImage before = grid->grab(caption).toImage();
        grid->setText(0, column, QStringLiteral("WWW"));
        QVERIFY(grid->grab(caption).toImage() != before);
        QCOMPARE(reddishPixels(grid.get(), caption), 0);
        grid->setCellTextColour(0, column, 255);
        QVERIFY(reddishPixels(grid.get(), caption) > 0);
        grid->setCellTextColour(row, 0, 255);
        QVERIFY(reddishPixels(grid.get(), month) > 0);
        grid->clearTexts();
        QCOMPARE(reddishPixels(grid.get(), caption), 0);
        QCOMPARE(reddishPixels(grid.get(), month), 0);
    }

    void fixedViewsFollowTheGridsShape()
    {
        auto grid = makeValuesTable();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        auto *fixedRow = grid->findChild<QTableView *>(QStringLiteral("fixedRow"));
        auto *fixedColumn = grid->findChild<QTableView *>(QStringLiteral("fixedColumn"));
        auto *corner = grid->findChild<QTableView *>(QStringLiteral("fixedCorner"));
        QVERIFY(fixedRow && fixedColumn && corner);
        const auto sameSections = [&](QTableView *view) {
            for (int c = 0; c < grid->columnCount(); ++c)
                if (view->columnWidth(c) != grid->columnWidth(c))
                    return false;
            for (int r = 0; r < grid->rowCount(); ++r)
                if (view->rowHeight(r) != grid->rowHeight(r))
                    return false;
            return true;
        };
        grid->horizontalScrollBar()->setValue(3);
        grid->setColumnWidthTwips(0, 1200);
        grid->setColumnWidthTwips(5, 1500);
        grid->setColumnCount(17);
        grid->setColumnWidthTwips(16, 700);
        for (QTableView *view : {fixedRow, fixedColumn, corner})
            QVERIFY(sameSections(view));
        const QRect area = grid->viewport()->geometry();
        const int x = area.left() + grid->columnViewportPosition(5) + grid->columnWidth(5) - 3;
        QCOMPARE(cellShownAt(grid.get(), {x, area.top() + 3}), grid->model()->index(0, 5));
        QCOMPARE(cellShownAt(grid.get(), {area.left() + grid->columnWidth(0) - 3, area.top() + 20}),
                 grid->model()->index(grid->rowAt(20), 0));

        // Nothing to show beyond the corner: the strips go.
        grid->setColumnCount(1);
        QVERIFY(!fixedRow->isVisibleTo(grid.get()));
        QVERIFY(fixedColumn->isVisibleTo(grid.get()));
        grid->setRowCount(1);
        QVERIFY(!fixedColumn->isVisibleTo(grid.get()));
        QVERIFY(corner->isVisibleTo(grid.get()));
        grid->setRowCount(0);
        QVERIFY(!corner->isVisibleTo(grid.get()));
        QCOMPARE(grid->childAt(area.topLeft() + QPoint(3, 3)), grid->viewport());
    }

    void clicksOnTheFixedViews()
    {
        auto grid = makeValuesTable();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        grid->setCurrentCell(13, 14);
        grid->setRangeSelected(QTableWidgetSelectionRange(12, 13, 13, 14), true);
        const QString selected = grid->selectionText();
        QSignalSpy mouse(grid.get(), &DataGrid::mouseDown);

        const QRect area = grid->viewport()->geometry();
        const QList<QPoint> points = {
            {area.left() + 3, area.top() + 3},                                   // corner
            {area.left() + grid->columnWidth(0) + 10, area.top() + 4},           // caption
            {area.left() + 4, area.top() + grid->rowHeight(0) + 10},             // month
        };
        for (const QPoint &at : points) {
            QWidget *under = grid->childAt(at);
            QVERIFY(under && under != grid->viewport());
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
                const qsizetype before = mouse.size();
                QTest::mouseClick(under, button, Qt::ShiftModifier, under->mapFrom(grid.get(), at));
                QCOMPARE(mouse.size(), before + 1);
                const QList<QVariant> last = mouse.constLast();
                QCOMPARE(last[0].value<Qt::MouseButton>(), button);
                QCOMPARE(last[2].toDouble(), at.x() * 15.0);
                QCOMPARE(last[3].toDouble(), at.y() * 15.0);
                QTest::mouseDClick(under, button, {}, under->mapFrom(grid.get(), at));
                QVERIFY(mouse.size() > before + 1);
                QTest::mouseMove(under, under->mapFrom(grid.get(), at) + QPoint(1, 1));
            }
        }
        QCOMPARE(grid->currentRow(), 13);
        QCOMPARE(grid->currentColumn(), 14);
        QCOMPARE(grid->selectionText(), selected);

        // The wheel over them scrolls the grid.
        QWidget *month = grid->childAt(points[2]);
        const int before = grid->verticalScrollBar()->value();
        QWheelEvent wheel(QPointF(3, 3), month->mapToGlobal(QPointF(3, 3)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(month, &wheel);
        QVERIFY(grid->verticalScrollBar()->value() < before);
    }

    // Dragging over the fixed column and row, the selection stops at the
    // first cells beyond them instead of reaching the hidden ones beneath.
    void dragOverFixedCells()
    {
        auto grid = makeValuesTable();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setCurrentCell(13, 14);
        const int top = grid->rowAt(grid->rowHeight(0) + 1);
        const int left = grid->columnAt(grid->columnWidth(0) + 1);
        QVERIFY(top > 2 && left > 2);
        const QPoint start = grid->visualItemRect(grid->item(13, 14)).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, start);
        QMouseEvent drag(QEvent::MouseMove, QPointF(3, 3), grid->viewport()->mapToGlobal(QPointF(3, 3)),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(grid->viewport(), &drag);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
        const QTableWidgetSelectionRange range = grid->selectedRange();
        QCOMPARE(range.topRow(), top);
        QCOMPARE(range.leftColumn(), left);
        QCOMPARE(range.bottomRow(), 13);
        QCOMPARE(range.rightColumn(), 14);
    }

    // The keyboard brings the current cell out from under the fixed row
    // and column instead of leaving it hidden there.
    void keyboardUncoversCells()
    {
        auto grid = makeValuesTable();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setFocus();
        grid->setCurrentCell(13, 14);
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(13, 14))));
        const int top = grid->rowAt(grid->rowHeight(0) + 1);
        const int left = grid->columnAt(grid->columnWidth(0) + 1);
        QVERIFY(top > 2 && left > 2);
        grid->setCurrentCell(top, left);
        QTest::keyClick(grid.get(), Qt::Key_Up);
        QTest::keyClick(grid.get(), Qt::Key_Left);
        QCOMPARE(grid->currentRow(), top - 1);
        QCOMPARE(grid->currentColumn(), left - 1);
        QVERIFY(grid->rowViewportPosition(top - 1) >= grid->rowHeight(0));
        QVERIFY(grid->columnViewportPosition(left - 1) >= grid->columnWidth(0));
        QTest::keyClick(grid.get(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->currentColumn(), 1);
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
        QCOMPARE(grid->horizontalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
