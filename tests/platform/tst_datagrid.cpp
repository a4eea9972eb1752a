// SPDX-License-Identifier: GPL-3.0-or-later
// The grid control: cell texts, the selection as text, the fixed row and
// column, and the events it raises for the window's handlers.
#include "platform/DataGrid.h"

#include <QFontMetrics>
#include <QSignalSpy>
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
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
