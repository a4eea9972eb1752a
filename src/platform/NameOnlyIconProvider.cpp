// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NameOnlyIconProvider.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>

namespace {

// Sets the shared provider on each file dialog as it is about to show.
class FileDialogWatcher : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *dialog = qobject_cast<QFileDialog *>(watched);
                dialog && dialog->iconProvider() != NameOnlyIconProvider::shared())
                dialog->setIconProvider(NameOnlyIconProvider::shared());
        return false;
    }
};

QMimeType typeByName(const QFileInfo &info)
{
    return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

} // namespace

QIcon NameOnlyIconProvider::icon(IconType type) const
{
    return QFileIconProvider::icon(type);
}

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isDir())
        return icon(Folder);
    const QMimeType mime = typeByName(info);
    const QIcon file = icon(File);
    if (mime.isDefault())
        return file;
    return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), file));
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    if (info.isDir())
        return QFileIconProvider::type(info);   // "Folder" or "Drive": no file is read for these
    const QMimeType mime = typeByName(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

NameOnlyIconProvider *NameOnlyIconProvider::shared()
{
    static NameOnlyIconProvider provider;
    return &provider;
}

void NameOnlyIconProvider::watchFileDialogs(QCoreApplication &application)
{
    application.installEventFilter(new FileDialogWatcher(&application));
}
