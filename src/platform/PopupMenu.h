// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QString>

class QWidget;

// A right-button menu whose commands run after it has closed. A command
// that lets events run while it works (a progress bar, a dialog, a redraw
// that waits) would otherwise run inside the menu's own handling of the
// click, and the menu can be hidden or deleted under its feet. Each command
// added here is a queued call: the menu finishes with the click and closes,
// and the command runs at the next turn of the event loop, as if chosen
// from a toolbar. A command whose receiver is gone by then does not run.
class PopupMenu : public QMenu
{
    Q_OBJECT

public:
    explicit PopupMenu(QWidget *parent = nullptr);

    // `command` is a member function of `receiver` or a function object run
    // in `receiver`'s thread; it takes no arguments.
    template <typename Receiver, typename Command>
    QAction *addCommand(const QString &text, const Receiver *receiver, Command command)
    {
        QAction *action = addAction(text);
        QObject::connect(action, &QAction::triggered, receiver, command, Qt::QueuedConnection);
        return action;
    }
};
