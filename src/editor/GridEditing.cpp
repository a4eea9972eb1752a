// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the editor work replaces it.
#include "editor/GridEditing.h"

#include "platform/DataGrid.h"

#include <QMenu>

GridEditing::GridEditing(DataGrid *grid, Sign minus, const QString &menuName, int *popupColumn)
    : QObject(grid), m_grid(grid), m_minus(minus), m_menu(new QMenu(grid)),
      m_popupColumn(popupColumn ? popupColumn : &m_ownPopupColumn)
{
    m_menu->setObjectName(menuName);
}

void GridEditing::Grid2_KeyDown(int) {}
void GridEditing::Grid2_KeyPress(QChar) {}
void GridEditing::Grid2_MouseDown(Qt::MouseButton, double, double) {}
void GridEditing::menupopCopiar_Click() {}
void GridEditing::menupopColar_Click() {}
QMenu *GridEditing::menu() const { return m_menu; }
