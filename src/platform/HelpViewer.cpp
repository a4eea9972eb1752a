// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the help work replaces it.
#include "platform/HelpViewer.h"

HelpViewer::HelpViewer(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
}

HelpViewer *HelpViewer::showContents(const QString &, QWidget *)
{
    return nullptr;
}
