// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder: the editor work replaces it.
#include "editor/Form1.h"

#include <QPointer>

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Novo"));
    setAttribute(Qt::WA_DeleteOnClose);
}

Form1 *Form1::showEditor()
{
    static QPointer<Form1> editor;
    if (!editor)
        editor = new Form1;
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}
