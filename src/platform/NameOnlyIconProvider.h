// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileIconProvider>
#include <QIcon>
#include <QString>

class QCoreApplication;
class QFileInfo;

// Icons and type names for a file dialog's list, told from the names alone.
// Qt's own provider asks the MIME database, which reads the first bytes of
// a file whose name says too little; in /proc, as root, reading /proc/kmsg
// waits for ever and the dialog with it. This provider never opens a file:
// a folder gets the folder icon, a file the icon and the description of the
// type its extension names, or the plain file icon.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    NameOnlyIconProvider() = default;

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;

    // One provider for the whole program, kept as long as it runs.
    static NameOnlyIconProvider *shared();
    // Gives every file dialog shown from now on, also those Qt opens by
    // itself (the print dialog's "Print to file"), the shared provider.
    static void watchFileDialogs(QCoreApplication &application);
};
