// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/GridEditing.h"

#include "platform/DataGrid.h"
#include "platform/Dialogs.h"
#include "platform/PopupMenu.h"
#include "data/Twips.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>

namespace {
constexpr char16_t backspace = 8;
}

GridEditing::GridEditing(DataGrid *grid, Sign minus, const QString &menuName, int *popupColumn)
    : QObject(grid), m_grid(grid), m_minus(minus), m_menu(new PopupMenu(grid)),
      m_popupColumn(popupColumn ? popupColumn : &m_ownPopupColumn)
{
    m_menu->setObjectName(menuName);
    m_menu->setAccessibleName(QStringLiteral("Copy and paste"));

    // The shortcuts are shown in the menu as a reminder; the grid itself
    // turns the keys into copy and paste.
    QAction *copy = m_menu->addCommand(QStringLiteral("Copy"), this, &GridEditing::menupopCopiar_Click);
    copy->setObjectName(QStringLiteral("menupopCopiar"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QAction *paste = m_menu->addCommand(QStringLiteral("Paste"), this, &GridEditing::menupopColar_Click);
    paste->setObjectName(QStringLiteral("menupopColar"));
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);

    connect(grid, &DataGrid::keyDown, this, [this](int key, Qt::KeyboardModifiers) { Grid2_KeyDown(key); });
    connect(grid, &DataGrid::keyPress, this, [this](QChar character, Qt::KeyboardModifiers) {
        Grid2_KeyPress(character);
    });
    connect(grid, &DataGrid::mouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, double x, double y) {
                Grid2_MouseDown(button, x, y);
            });
    connect(grid, &DataGrid::copyRequested, this, &GridEditing::menupopCopiar_Click);
    connect(grid, &DataGrid::pasteRequested, this, &GridEditing::menupopColar_Click);
}

GridEditing::~GridEditing()
{
    delete m_menu;
}

void GridEditing::Grid2_KeyDown(int key)
{
    if (key == Qt::Key_Delete) {
        m_grid->setCurrentText(QString());
        currentCellEdited();
    }
}

void GridEditing::currentCellEdited()
{
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    if (row >= 0 && column >= 0)
        emit edited(QTableWidgetSelectionRange(row, column, row, column));
}

void GridEditing::Grid2_KeyPress(QChar character)
{
    const char16_t code = character.unicode();
    const bool accepted = (code >= u'0' && code <= u'9') || code == u',' || code == u'.'
                          || (code == u'-' && m_minus == Sign::Accepted);
    if (accepted) {
        m_grid->setCurrentText(m_grid->currentText() + character);
        currentCellEdited();
    } else if (code == backspace) {
        QString text = m_grid->currentText();
        if (!text.isEmpty()) {
            text.chop(1);
            m_grid->setCurrentText(text);
            currentCellEdited();
        }
    } else {
        Dialogs::beep();
    }
}

void GridEditing::Grid2_MouseDown(Qt::MouseButton button, double x, double y)
{
    if (button != Qt::RightButton)
        return;
    // All in twips. With a grid narrower than its first three columns the
    // strip between W − w2 and w0 + w1 opens no menu.
    const double w0 = m_grid->columnWidthTwips(0);
    const double w1 = m_grid->columnWidthTwips(1);
    const double w2 = m_grid->columnWidthTwips(2);
    const double width = Twips::fromPixels(m_grid->width());
    *m_popupColumn = 0;
    if (x > w0 && x < width - w2)
        *m_popupColumn = 1;
    if (x > w0 + w1)
        *m_popupColumn = 2;
    // popup(), not exec(): the menu runs in the window's own event loop and
    // its items call back when chosen.
    if (*m_popupColumn != 0)
        m_menu->popup(m_grid->mapToGlobal(QPoint(Twips::toPixels(x), Twips::toPixels(y))));
}

void GridEditing::menupopCopiar_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_grid->selectionText());
}

void GridEditing::menupopColar_Click()
{
    const QString text = pastedRows(QGuiApplication::clipboard()->text());
    if (text.isEmpty())
        return;
    const QTableWidgetSelectionRange written = m_grid->setSelectionText(text);
    if (written.rowCount() > 0 && written.columnCount() > 0)
        emit edited(written);
}

QMenu *GridEditing::menu() const
{
    return m_menu;
}

QString GridEditing::pastedRows(QString text)
{
    // The grid's own copy ends rows with a bare carriage return and nothing
    // after the last row, so a final CR there means an empty last cell. Other
    // programs end every row, the last one too, with CR LF or LF.
    if (text.endsWith(u'\n')) {
        text.chop(1);
        if (text.endsWith(u'\r'))
            text.chop(1);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(u'\n', u'\r');
    return text;
}
