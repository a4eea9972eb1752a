// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The main window (placeholder until the main window work lands).
class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);
};
