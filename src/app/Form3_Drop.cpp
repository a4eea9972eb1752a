// SPDX-License-Identifier: GPL-3.0-or-later
// Data files and chart documents handed over by the desktop: named on the
// command line or dropped on the main window from a file manager.
#include "app/Form3.h"

#include "platform/RecentFiles.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// The local .tvr and .tvc files among the dropped URLs, in the order they
// came. Other files, folders and remote addresses are left out: a drop is
// the user's gesture for "open these files of mine", not for "open anything".
QStringList droppedDataFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix().compare(QLatin1String("tvr"), Qt::CaseInsensitive) == 0
            || Form3::isChartDocument(path))
            paths << path;
    }
    return paths;
}

} // namespace

int Form3::loadDataFiles(const QStringList &paths)
{
    int loaded = 0;
    for (const QString &path : paths) {
        if (isChartDocument(path)) {
            if (openChartDocumentFile(path))
                ++loaded;
            continue;
        }
        const bool full = m_state.setCount >= maxDataSets;
        if (loadDataFile(path)) {
            RecentFiles::add(path);
            ++loaded;
        }
        // The 51st is refused with a beep, as at the Open button; the rest
        // would only repeat it.
        if (full)
            break;
    }
    return loaded;
}

void Form3::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedDataFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Form3::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedDataFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    loadDataFiles(paths);
}
