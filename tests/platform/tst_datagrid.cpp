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
    void selectionText_data()
    {
        QTest::addColumn<QTableWidgetSelectionRange>("range");
        QTest::addColumn<QString>("text");
        QTest::newRow("one cell") << QTableWidgetSelectionRange(2, 2, 2, 2) << "22";
        QTest::newRow("a row") << QTableWidgetSelectionRange(1, 1, 1, 3) << "11\t12\t13";
        QTest::newRow("a column") << QTableWidgetSelectionRange(1, 2, 3, 2) << "12\r22\r32";
        QTest::newRow("3 x 2") << QTableWidgetSelectionRange(1, 1, 3, 2) << "11\t12\r21\t22\r31\t32";
        // The fixed row and column never take part, even when asked for.
        QTest::newRow("into the fixed cells") << QTableWidgetSelectionRange(0, 0, 2, 1) << "11\r21";
    }
    void selectionText()
    {
        QFETCH(QTableWidgetSelectionRange, range);
        QFETCH(QString, text);
        auto grid = makeGrid();
        grid->setCurrentCell(range.topRow(), range.leftColumn(), QItemSelectionModel::NoUpdate);
        grid->clearSelection();
        grid->setRangeSelected(range, true);
        QCOMPARE(grid->selectionText(), text);
    }

    void selectionOfCurrentCellAlone()
    {
        auto grid = makeGrid();
        grid->setCurrentCell(3, 2);
        grid->clearSelection();
        QCOMPARE(grid->selectionText(), QStringLiteral("32"));
    }

    void setSelectionText_data()
    {
        QTest::addColumn<QTableWidgetSelectionRange>("range");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows"); // rows 1..4, columns 1..3 afterwards
        QTest::newRow("exact fit") << QTableWidgetSelectionRange(1, 1, 2, 2) << "a\tb\rc\td"
                                   << QStringList{"a b 13", "c d 23", "31 32 33", "41 42 43"};
        QTest::newRow("text beyond the range is dropped")
            << QTableWidgetSelectionRange(2, 2, 2, 2) << "a\tb\rc\td"
            << QStringList{"11 12 13", "21 a 23", "31 32 33", "41 42 43"};
        QTest::newRow("cells beyond the text keep theirs")
            << QTableWidgetSelectionRange(1, 1, 4, 3) << "a\tb\rc"
            << QStringList{"a b 13", "c 22 23", "31 32 33", "41 42 43"};
        QTest::newRow("empty cells in the text empty the grid's")
            << QTableWidgetSelectionRange(1, 1, 2, 3) << "\tx\t\r"
            << QStringList{" x ", " 22 23", "31 32 33", "41 42 43"};
    }
    void setSelectionText()
    {
        QFETCH(QTableWidgetSelectionRange, range);
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        auto grid = makeGrid();
        grid->setCurrentCell(range.topRow(), range.leftColumn(), QItemSelectionModel::NoUpdate);
        grid->clearSelection();
        grid->setRangeSelected(range, true);
        grid->setSelectionText(text);
        for (int r = 1; r <= 4; ++r) {
            QStringList cells;
            for (int c = 1; c <= 3; ++c)
                cells << grid->text(r, c);
            QCOMPARE(cells.join(u' '), rows[r - 1]);
        }
        QCOMPARE(grid->text(0, 1), QStringLiteral("01"));
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

    void appendRowSplitsAtTabs()
    {
        auto grid = makeGrid();
        grid->setColumnCentred(2);
        grid->appendRow(QStringLiteral("x\t\ty\t\tspilled"));
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(grid->text(5, 0), QStringLiteral("x"));
        QCOMPARE(grid->text(5, 1), QString());
        QCOMPARE(grid->text(5, 2), QStringLiteral("y"));
        QCOMPARE(grid->text(5, 3), QString());
        // A centred column centres the rows added later too.
        QCOMPARE(grid->item(5, 2)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(grid->rowHeight(5), DataGrid::rowHeightPixels);
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

    void keyEvents_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("pressed"); // the characters of keyPress; "" none
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pastes");
        const Qt::KeyboardModifiers none;
        QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << 0 << 0;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 0 << 0;
        QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << 0 << 0;
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 0 << 0;
        QTest::newRow("delete") << int(Qt::Key_Delete) << none << "" << 0 << 0;
        QTest::newRow("arrow") << int(Qt::Key_Down) << none << "" << 0 << 0;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << 1 << 0;
        QTest::newRow("ctrl+v") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << 0 << 1;
    }
    void keyEvents()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, pressed);
        QFETCH(int, copies);
        QFETCH(int, pastes);
        auto grid = makeGrid();
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setCurrentCell(1, 1);
        QSignalSpy down(grid.get(), &DataGrid::keyDown);
        QSignalSpy press(grid.get(), &DataGrid::keyPress);
        QSignalSpy copy(grid.get(), &DataGrid::copyRequested);
        QSignalSpy paste(grid.get(), &DataGrid::pasteRequested);
        QTest::keyClick(grid.get(), Qt::Key(key), modifiers);
        // A modifier key goes down first, on its own.
        QCOMPARE(down.size(), modifiers ? 2 : 1);
        QCOMPARE(down.constLast()[0].toInt(), key);
        QString characters;
        for (const QList<QVariant> &args : press)
            characters += args[0].value<QChar>();
        QCOMPARE(characters, pressed);
        QCOMPARE(copy.size(), copies);
        QCOMPARE(paste.size(), pastes);
        // The grid never edits a cell by itself.
        QCOMPARE(grid->text(1, 1), QStringLiteral("11"));
    }
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
