// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AtlasOptions.h"

#include <QMessageBox>
#include <QSize>
#include <QString>

class QWidget;

// Every modal dialog and the system beep go through here, so that tests can
// answer them without a person: a test installs a Responder, the program's
// code never knows the difference.
class Dialogs
{
public:
    // A common file dialog as the windows set it up before each use. The
    // filter is written the classic way, "Description|pattern|Description|pattern".
    struct FileRequest
    {
        QString title;
        QString filter;
        QString defaultSuffix;   // "tvr"; the leading "*." or "." is dropped
        QString directory;       // empty: the dialog's own default
    };

    // The resolution a picture is saved at, in dots per inch, offered
    // between minimum and maximum; the dialog shows the size in pixels that
    // a picture of `pixelSize` screen pixels (1/96 inch each) comes to.
    struct ResolutionRequest
    {
        QSize pixelSize;
        int dpi = 96;
        int minimum = 72;
        int maximum = 600;
    };

    // What an atlas will hold: how many charts, and their kind by name.
    struct AtlasRequest
    {
        int places = 0;
        QString kind;
    };

    class Responder
    {
    public:
        virtual ~Responder() = default;
        // Return the chosen path, or an empty text for "cancelled".
        virtual QString openFileName(const FileRequest &request) = 0;
        virtual QString saveFileName(const FileRequest &request) = 0;
        // A Save dialog whose filter entry matters: by default the entry is
        // not known (-1) and the plain answer is taken.
        virtual QString saveFileNameAndFilter(const FileRequest &request, int &chosenFilter)
        {
            chosenFilter = -1;
            return saveFileName(request);
        }
        virtual void message(const QString &text, const QString &title, QMessageBox::Icon icon) = 0;
        virtual void beep() = 0;
        // The resolution of a picture: by default the one offered.
        virtual int resolution(const ResolutionRequest &request) { return request.dpi; }
        // The atlas's options: by default those offered, accepted.
        virtual bool atlasOptions(const AtlasRequest &request, AtlasOptions &options)
        {
            Q_UNUSED(request);
            Q_UNUSED(options);
            return true;
        }
        // A question with Yes and No; true for Yes. By default Yes.
        virtual bool question(const QString &text, const QString &title)
        {
            Q_UNUSED(text);
            Q_UNUSED(title);
            return true;
        }
    };

    // Not owned; nullptr puts the real dialogs back.
    static void setResponder(Responder *responder);

    static QString openFileName(QWidget *parent, const FileRequest &request);
    // Asks before replacing an existing file.
    static QString saveFileName(QWidget *parent, const FileRequest &request);
    // The same, and which entry of the filter list was chosen (from 0; -1
    // when that is not known). Choosing an entry also makes its extension
    // the one added to a name typed without one.
    static QString saveFileName(QWidget *parent, const FileRequest &request, int &chosenFilter);
    // A message box with one OK button.
    static void message(QWidget *parent, const QString &text, const QString &title,
                        QMessageBox::Icon icon);
    static void beep();
    // A question with Yes and No buttons, No the default; true for Yes.
    static bool question(QWidget *parent, const QString &text, const QString &title);
    // Asks how to lay an atlas out, starting from `options`, which takes
    // the choice; false when cancelled.
    static bool atlasOptions(QWidget *parent, const AtlasRequest &request, AtlasOptions &options);
    // Asks for a resolution; 0 when cancelled.
    static int resolution(QWidget *parent, const ResolutionRequest &request);
    // The Warning of a data file that could not be written: its path and the
    // reason the system gave.
    static void fileNotSaved(QWidget *parent, const QString &path, const QString &reason);

    // "Tervalo(*.tvr)|*.tvr|All files(*.*)|*.*|" → "Tervalo(*.tvr);;All files(*.*)".
    static QString qtFilter(const QString &classicFilter);
};
