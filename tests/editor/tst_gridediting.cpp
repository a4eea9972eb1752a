// SPDX-License-Identifier: GPL-3.0-or-later
// The number-entry behaviour of both windows' grids, driven with keys and
// clicks: typing, Backspace and Delete, the right-click menu and the
// clipboard.
#include "common/ScriptedDialogs.h"
#include "editor/GridEditing.h"
#include "platform/DataGrid.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>

using Sign = GridEditing::Sign;

namespace {
// A grid like the editor's: 13 rows, month column and two value columns of
// 800 twips, 2460 twips wide.
struct EditedGrid
{
    explicit EditedGrid(Sign sign, const QString &menuName = QStringLiteral("menupop"))
    {
        grid.setRowCount(13);
        grid.setColumnCount(3);
        for (int c = 0; c < 3; ++c)
            grid.setColumnWidthTwips(c, 800);
        grid.resize(164, 217);
        editing = new GridEditing(&grid, sign, menuName, &popupColumn);
        grid.show();
        grid.setCurrentCell(1, 1);
    }
    void fill()
    {
        for (int r = 1; r < 13; ++r)
            grid.setText(r, 0, QString::number(r));
        for (int r = 1; r < 13; ++r)
            for (int c = 1; c < 3; ++c)
                grid.setText(r, c, QStringLiteral("v%1%2").arg(r).arg(c));
    }
    void select(int top, int left, int bottom, int right)
    {
        grid.setCurrentCell(top, left);
        grid.clearSelection();
        grid.setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
    }
    QAction *action(const char *name) { return editing->menu()->findChild<QAction *>(QLatin1String(name)); }
    // A menu command runs once the menu is done with the click.
    void choose(const char *name)
    {
        action(name)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }

    DataGrid grid;
    GridEditing *editing;
    int popupColumn = -1;
};

QClipboard *clipboard() { return QGuiApplication::clipboard(); }
} // namespace

class TestGridEditing : public QObject
{
    Q_OBJECT

private slots:
    void init() { clipboard()->clear(); }

    // Keys as typed into an empty temperature cell; "\b" is Backspace,
    // "\x7f" Delete, "\r" Enter, "\x1b" Escape.
    void typing_data()
    {
        QTest::addColumn<Sign>("sign");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("editor: minus accepted") << Sign::Accepted << "-1.5" << "-1.5" << 0;
        QTest::newRow("main window: minus refused") << Sign::Refused << "-1.5" << "1.5" << 1;
        QTest::newRow("comma and point") << Sign::Refused << "1,2.3" << "1,2.3" << 0;
        QTest::newRow("nothing checks the text") << Sign::Accepted << "1-2..-" << "1-2..-" << 0;
        QTest::newRow("letters, blank, plus, slash")
            << Sign::Accepted << "1a +/e2" << "12" << 5;
        QTest::newRow("enter and escape beep") << Sign::Accepted << "4\r\x1b" << "4" << 2;
        QTest::newRow("backspace on an empty cell is silent") << Sign::Accepted << "\b\b" << "" << 0;
        QTest::newRow("backspace takes the last character") << Sign::Accepted << "125\b6" << "126" << 0;
        QTest::newRow("delete empties the cell") << Sign::Accepted << "125\x7f" "7" << "7" << 0;
    }
    void typing()
    {
        QFETCH(Sign, sign);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        ScriptedDialogs dialogs;
        EditedGrid g(sign);
        for (QChar key : keys) {
            switch (key.unicode()) {
            case 8: QTest::keyClick(&g.grid, Qt::Key_Backspace); break;
            case 13: QTest::keyClick(&g.grid, Qt::Key_Return); break;
            case 27: QTest::keyClick(&g.grid, Qt::Key_Escape); break;
            case 127: QTest::keyClick(&g.grid, Qt::Key_Delete); break;
            default: QTest::keyClicks(&g.grid, QString(key));
            }
        }
        QCOMPARE(g.grid.text(1, 1), text);
        QCOMPARE(dialogs.beeps, beeps);
        QCOMPARE(g.grid.text(1, 2), QString());
    }

    void typingAppendsToTheCurrentCellOnly()
    {
        ScriptedDialogs dialogs;
        EditedGrid g(Sign::Accepted);
        g.fill();
        g.select(2, 1, 3, 2);
        g.grid.setCurrentCell(3, 2, QItemSelectionModel::NoUpdate);
        QTest::keyClicks(&g.grid, QStringLiteral("9"));
        QTest::keyClick(&g.grid, Qt::Key_Down);
        QTest::keyClicks(&g.grid, QStringLiteral("8"));
        QCOMPARE(g.grid.text(3, 2), QStringLiteral("v329"));
        QCOMPARE(g.grid.text(4, 2), QStringLiteral("v428"));
        QCOMPARE(g.grid.text(2, 1), QStringLiteral("v21"));
    }

    void deleteEmptiesOnlyTheCurrentCell()
    {
        ScriptedDialogs dialogs;
        EditedGrid g(Sign::Refused);
        g.fill();
        g.select(1, 1, 3, 2);
        QTest::keyClick(&g.grid, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(g.grid.text(1, 1), QString());
        QCOMPARE(g.grid.text(1, 2), QStringLiteral("v12"));
        QCOMPARE(g.grid.text(3, 2), QStringLiteral("v32"));
        QCOMPARE(dialogs.beeps, 0);
    }

    void copyRange()
    {
        EditedGrid g(Sign::Accepted);
        g.fill();
        g.select(1, 1, 3, 2);
        g.choose("menupopCopiar");
        QCOMPARE(clipboard()->text(), QStringLiteral("v11\tv12\rv21\tv22\rv31\tv32"));
        g.select(5, 2, 5, 2);
        g.choose("menupopCopiar");
        QCOMPARE(clipboard()->text(), QStringLiteral("v52"));
    }

    void paste_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QTableWidgetSelectionRange>("range");
        QTest::addColumn<QStringList>("rows"); // rows 3..7, columns 1 and 2 afterwards
        const QString copied = QStringLiteral("a\tb\rc\td\re\tf");
        QTest::newRow("3 x 2 into 3 x 2") << copied << QTableWidgetSelectionRange(4, 1, 6, 2)
                                          << QStringList{"v31 v32", "a b", "c d", "e f", "v71 v72"};
        QTest::newRow("into a single cell only the first value")
            << copied << QTableWidgetSelectionRange(4, 2, 4, 2)
            << QStringList{"v31 v32", "v41 a", "v51 v52", "v61 v62", "v71 v72"};
        QTest::newRow("larger range keeps the rest")
            << QStringLiteral("a\tb\rc") << QTableWidgetSelectionRange(3, 1, 6, 2)
            << QStringList{"a b", "c v42", "v51 v52", "v61 v62", "v71 v72"};
        QTest::newRow("CR LF rows lose the line feed")
            << QStringLiteral("a\tb\r\nc\td\r\n") << QTableWidgetSelectionRange(4, 1, 6, 2)
            << QStringList{"v31 v32", "a b", "c d", "v61 v62", "v71 v72"};
        QTest::newRow("LF rows from other programs")
            << QStringLiteral("a\tb\nc\td\n") << QTableWidgetSelectionRange(4, 1, 6, 2)
            << QStringList{"v31 v32", "a b", "c d", "v61 v62", "v71 v72"};
        // The grid's own copy of a column ending in an empty cell.
        QTest::newRow("own copy with an empty last cell")
            << QStringLiteral("5\r") << QTableWidgetSelectionRange(4, 1, 5, 1)
            << QStringList{"v31 v32", "5 v42", " v52", "v61 v62", "v71 v72"};
        QTest::newRow("not filtered") << QStringLiteral("-x 1\t+") << QTableWidgetSelectionRange(3, 1, 3, 2)
                                      << QStringList{"-x 1 +", "v41 v42", "v51 v52", "v61 v62", "v71 v72"};
        QTest::newRow("empty clipboard changes nothing")
            << QString() << QTableWidgetSelectionRange(3, 1, 7, 2)
            << QStringList{"v31 v32", "v41 v42", "v51 v52", "v61 v62", "v71 v72"};
    }
    void paste()
    {
        QFETCH(QString, clipboard);
        QFETCH(QTableWidgetSelectionRange, range);
        QFETCH(QStringList, rows);
        EditedGrid g(Sign::Accepted);
        g.fill();
        if (!clipboard.isEmpty())
            ::clipboard()->setText(clipboard);
        g.select(range.topRow(), range.leftColumn(), range.bottomRow(), range.rightColumn());
        g.choose("menupopColar");
        for (int r = 3; r <= 7; ++r)
            QCOMPARE(g.grid.text(r, 1) + u' ' + g.grid.text(r, 2), rows[r - 3]);
    }

    void copyThenPasteWithKeys()
    {
        ScriptedDialogs dialogs;
        EditedGrid g(Sign::Accepted);
        g.fill();
        g.select(1, 1, 2, 2);
        QTest::keyClick(&g.grid, Qt::Key_C, Qt::ControlModifier);
        g.select(10, 1, 11, 2);
        QTest::keyClick(&g.grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(g.grid.text(10, 1), QStringLiteral("v11"));
        QCOMPARE(g.grid.text(11, 2), QStringLiteral("v22"));
        QCOMPARE(dialogs.beeps, 0);
    }

    // x in twips from the grid's left edge. Columns are 795 twips (53 whole
    // pixels) each; the grid is 164 pixels = 2460 twips wide, or narrower.
    void rightClickHitTest_data()
    {
        QTest::addColumn<int>("gridPixels");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("column");
        QTest::newRow("month column") << 164 << 300.0 << 0;
        QTest::newRow("month column's right edge") << 164 << 795.0 << 0;
        QTest::newRow("temperature") << 164 << 1200.0 << 1;
        QTest::newRow("precipitation") << 164 << 2000.0 << 2;
        QTest::newRow("right of the columns") << 164 << 2450.0 << 2;
        // 120 pixels: W − w2 = 1005 twips, w0 + w1 = 1590 twips.
        QTest::newRow("narrow grid, first column part") << 120 << 900.0 << 1;
        QTest::newRow("narrow grid, the gap") << 120 << 1200.0 << 0;
        QTest::newRow("narrow grid, past both") << 120 << 1700.0 << 2;
    }
    void rightClickHitTest()
    {
        QFETCH(int, gridPixels);
        QFETCH(double, x);
        QFETCH(int, column);
        EditedGrid g(Sign::Accepted);
        g.grid.resize(gridPixels, 217);
        g.editing->Grid2_MouseDown(Qt::LeftButton, x, 100);
        QCOMPARE(g.popupColumn, -1);
        QVERIFY(!g.editing->menu()->isVisible());
        g.editing->Grid2_MouseDown(Qt::RightButton, x, 100);
        QCOMPARE(g.popupColumn, column);
        QCOMPARE(g.editing->menu()->isVisible(), column != 0);
        g.editing->menu()->hide();
    }

    void rightClickWithTheMouse()
    {
        EditedGrid g(Sign::Accepted, QStringLiteral("menupo"));
        QVERIFY(QTest::qWaitForWindowExposed(&g.grid));
        g.fill();
        g.select(2, 1, 3, 2);
        QCOMPARE(g.editing->menu()->objectName(), QStringLiteral("menupo"));
        QTest::mouseClick(g.grid.viewport(), Qt::RightButton, {},
                          g.grid.visualItemRect(g.grid.item(5, 0)).center());
        QCOMPARE(g.popupColumn, 0);
        QVERIFY(!g.editing->menu()->isVisible());

        QTest::mouseClick(g.grid.viewport(), Qt::RightButton, {},
                          g.grid.visualItemRect(g.grid.item(5, 2)).center());
        QCOMPARE(g.popupColumn, 2);
        QMenu *menu = g.editing->menu();
        QTRY_VERIFY(menu->isVisible());
        const QStringList texts{menu->actions()[0]->text(), menu->actions()[1]->text()};
        QCOMPARE(texts, (QStringList{"Copy", "Paste"}));
        // The right click moved neither the current cell nor the selection.
        QCOMPARE(g.grid.currentRow(), 2);
        QCOMPARE(g.grid.selectionText(), QStringLiteral("v21\tv22\rv31\tv32"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[0]).center());
        QTRY_VERIFY(!menu->isVisible());
        QTRY_COMPARE(clipboard()->text(), QStringLiteral("v21\tv22\rv31\tv32"));
    }

    void pastedRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rows");
        QTest::newRow("own form") << "a\tb\rc" << "a\tb\rc";
        QTest::newRow("own form, empty last cell") << "a\r" << "a\r";
        QTest::newRow("CR LF") << "a\r\nb\r\n" << "a\rb";
        QTest::newRow("LF") << "a\nb\n" << "a\rb";
        QTest::newRow("no final break") << "a\r\nb" << "a\rb";
        QTest::newRow("empty row kept inside") << "a\r\n\r\nb" << "a\r\rb";
        QTest::newRow("a line break alone") << "\r\n" << "";
    }
    void pastedRows()
    {
        QFETCH(QString, text);
        QFETCH(QString, rows);
        QCOMPARE(GridEditing::pastedRows(text), rows);
    }
};

QTEST_MAIN(TestGridEditing)
#include "tst_gridediting.moc"
