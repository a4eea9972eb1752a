// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString key = QStringLiteral("recent-files");

// ~/.config/tervalo/tervalo.conf on Linux, whatever names the program runs under.
const QString organisation = QStringLiteral("tervalo");
const QString application = QStringLiteral("tervalo");

QStringList cleaned(const QStringList &paths)
{
    QStringList kept;
    for (const QString &path : paths) {
        if (!path.isEmpty() && !kept.contains(path))
            kept << path;
        if (kept.size() == RecentFiles::maximum)
            break;
    }
    return kept;
}

QStringList stored()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    return settings.value(key).toStringList();
}

void store(const QStringList &paths)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    settings.setValue(key, paths);
}

} // namespace

QStringList RecentFiles::list()
{
    return cleaned(stored());
}

void RecentFiles::add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList paths = list();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    store(cleaned(paths));
}

void RecentFiles::remove(const QString &path)
{
    QStringList paths = list();
    if (paths.removeAll(path) > 0)
        store(paths);
}

void RecentFiles::clear()
{
    store({});
}
