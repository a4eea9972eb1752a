// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class DataGrid;
class QMenu;

// Turns a DataGrid into a simple number-entry grid: the key handlers, the
// right-click "Copy"/"Paste" menu and the clipboard text. One implementation
// serves the editor and the main window's values table; they differ only in
// whether the minus sign is accepted.
class GridEditing : public QObject
{
    Q_OBJECT

public:
    enum class Sign { Accepted, Refused };

    // `popupColumn` receives the result of each right-click hit test (0, 1 or
    // 2); nullptr keeps it inside this object. `menuName` is the popup menu's
    // object name ("menupop" in the editor, "menupo" in the main window).
    GridEditing(DataGrid *grid, Sign minus, const QString &menuName, int *popupColumn = nullptr);

    void Grid2_KeyDown(int key);
    void Grid2_KeyPress(QChar character);
    void Grid2_MouseDown(Qt::MouseButton button, double x, double y);
    void menupopCopiar_Click();
    void menupopColar_Click();

    QMenu *menu() const;

private:
    DataGrid *m_grid;
    Sign m_minus;
    QMenu *m_menu = nullptr;
    int m_ownPopupColumn = 0;
    int *m_popupColumn;
};
