// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar: eight picture buttons and their hover border.
#include "app/Form3.h"

#include "app/StationBrowser.h"
#include "editor/Form1.h"
#include "platform/Dialogs.h"
#include "platform/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace {

void setHighlighted(QToolButton *button, bool highlighted)
{
    if (!button || button->property("highlighted").toBool() == highlighted)
        return;
    button->setProperty("highlighted", highlighted);
    // The border comes from the toolbar's style sheet, keyed on the property.
    button->style()->unpolish(button);
    button->style()->polish(button);
    button->update();
}

} // namespace

void Form3::Bot_Click(int index)
{
    switch (index) {
    case 0:
        // Close: every window of the program goes, then the program ends.
        for (QWidget *window : QApplication::topLevelWidgets())
            window->hide();
        if (m_programEnd)
            m_programEnd();
        break;
    case 1:
        carrega();
        break;
    case 2:
        Imprimir();
        break;
    case 3:
        resetAll();
        break;
    case 4:
        Form1::showEditor();
        break;
    case 5:
        copyChart();
        break;
    case 6: {
        const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tervalo.chm"));
        if (!HelpViewer::showContents(path, this))
            Dialogs::message(this, QStringLiteral("Help file tervalo.chm not found."), QStringLiteral("Warning"),
                             QMessageBox::Warning);
        break;
    }
    case 7:
        StationBrowser::showBrowser(this);
        break;
    default:
        break;
    }
}

void Form3::Bot_MouseMove(int index)
{
    if (index >= 0 && index < static_cast<int>(m_controls.Bot.size()))
        setHighlighted(m_controls.Bot[index], true);
}

// The pointer over the bare toolbar takes every border away; moving from
// one button to the next always crosses bare toolbar.
void Form3::Frame2_MouseMove()
{
    for (QToolButton *button : m_controls.Bot)
        setHighlighted(button, false);
}

bool Form3::isBotHighlighted(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_controls.Bot.size()) || !m_controls.Bot[index])
        return false;
    return m_controls.Bot[index]->property("highlighted").toBool();
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        for (int i = 0; i < static_cast<int>(m_controls.Bot.size()); ++i) {
            if (watched == m_controls.Bot[i]) {
                Bot_MouseMove(i);
                return false;
            }
        }
        if (watched == m_controls.Frame2 && event->type() == QEvent::MouseMove) {
            // A move a button did not take comes on to the toolbar: it is not
            // over the bare toolbar then.
            const auto *move = static_cast<QMouseEvent *>(event);
            QWidget *under = m_controls.Frame2->childAt(move->position().toPoint());
            if (!qobject_cast<QToolButton *>(under))
                Frame2_MouseMove();
        }
    }
    return QWidget::eventFilter(watched, event);
}
