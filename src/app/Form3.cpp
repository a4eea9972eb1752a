// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form3.h"

Form3::Form3(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Tervalo"));
    resize(792, 573);
}
