// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PopupMenu.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTableWidgetSelectionRange>

class DataGrid;

// Turns a DataGrid into a simple number-entry grid: the key handlers, the
// right-click "Copy"/"Paste" menu and the clipboard text. One implementation
// serves the editor and the main window's values table; they differ only in
// whether the minus sign is accepted. The constructor connects the grid's
// signals to the handlers; the handlers stay public so that a window can also
// call them itself.
class GridEditing : public QObject
{
    Q_OBJECT

public:
    enum class Sign { Accepted, Refused };

    // `popupColumn` receives the result of each right-click hit test (0, 1 or
    // 2); nullptr keeps it inside this object. `menuName` is the popup menu's
    // object name ("menupop" in the editor, "menupo" in the main window).
    GridEditing(DataGrid *grid, Sign minus, const QString &menuName, int *popupColumn = nullptr);
    // Takes the menu with it; the grid stays as it is.
    ~GridEditing() override;

    // Delete (any modifiers) empties the current cell; other keys do nothing.
    void Grid2_KeyDown(int key);
    // Digits, "," and "." (and "-" when the sign is accepted) go to the end of
    // the current cell; Backspace takes the last character off; anything else
    // is refused with a beep.
    void Grid2_KeyPress(QChar character);
    // x and y in twips from the grid's top-left corner. A right click to the
    // right of the month column opens the Copy/Paste menu at the pointer.
    void Grid2_MouseDown(Qt::MouseButton button, double x, double y);
    // The selected range to the clipboard: cells joined by tabs, rows by
    // carriage returns.
    void menupopCopiar_Click();
    // The clipboard's text into the selected range from its top-left cell.
    void menupopColar_Click();

    QMenu *menu() const;

    // The clipboard text as the grid takes it: rows end with a carriage
    // return, also when another program ended them with CR LF or LF alone,
    // and a line break closing such a text's last row is not an empty row.
    static QString pastedRows(QString text);

signals:
    // The handlers changed these cells' texts: the current cell after a key,
    // the cells pasted into.
    void edited(const QTableWidgetSelectionRange &cells);

private:
    void currentCellEdited();

    DataGrid *m_grid;
    Sign m_minus;
    QPointer<PopupMenu> m_menu;
    int m_ownPopupColumn = 0;
    int *m_popupColumn;
};
