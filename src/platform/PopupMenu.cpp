// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PopupMenu.h"

PopupMenu::PopupMenu(QWidget *parent)
    : QMenu(parent)
{
}
