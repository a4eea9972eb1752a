// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QMessageBox>
#include <QQueue>
#include <QString>
#include <QStringList>

// Answers the program's dialogs in tests: file dialogs take the next queued
// path (an empty queue answers "cancel"); messages and beeps are recorded.
// Installs itself on construction and removes itself on destruction.
class ScriptedDialogs : public Dialogs::Responder
{
public:
    struct Message
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
    };

    ScriptedDialogs() { Dialogs::setResponder(this); }
    ~ScriptedDialogs() override { Dialogs::setResponder(nullptr); }
    ScriptedDialogs(const ScriptedDialogs &) = delete;
    ScriptedDialogs &operator=(const ScriptedDialogs &) = delete;

    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QList<Dialogs::FileRequest> openRequests;
    QList<Dialogs::FileRequest> saveRequests;
    QList<Message> messages;
    int beeps = 0;
    // Questions asked, and the answers to give them (an empty queue answers Yes).
    QList<Message> questions;
    QQueue<bool> questionAnswers;

    QString openFileName(const Dialogs::FileRequest &request) override
    {
        openRequests << request;
        return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
    }
    QString saveFileName(const Dialogs::FileRequest &request) override
    {
        saveRequests << request;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }
    void message(const QString &text, const QString &title, QMessageBox::Icon icon) override
    {
        messages << Message{text, title, icon};
    }
    void beep() override { ++beeps; }
    bool question(const QString &text, const QString &title) override
    {
        questions << Message{text, title, QMessageBox::Question};
        return questionAnswers.isEmpty() || questionAnswers.dequeue();
    }
};
