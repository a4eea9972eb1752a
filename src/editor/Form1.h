// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The data file editor window ("Novo").
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Shows the editor without blocking the caller: a new window when none
    // is open (a closed editor starts afresh), otherwise the open one is
    // brought forward.
    static Form1 *showEditor();
};
