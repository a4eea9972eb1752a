// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// Shows a compiled help file (.chm): its table of contents beside its pages.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    // Opens the help file and shows its table of contents in a viewer window
    // owned by `owner` (one viewer per owner; a second call brings it
    // forward). Returns nullptr, showing nothing, when the file is missing or
    // cannot be read as a help file.
    static HelpViewer *showContents(const QString &chmPath, QWidget *owner);

private:
    explicit HelpViewer(QWidget *owner);
};
