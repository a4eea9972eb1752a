// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpViewer.h"

#include "platform/HelpBrowser.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QSplitter>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

constexpr int LocalRole = Qt::UserRole;   // the topic's page inside the help file
constexpr QSize DefaultSize(900, 640);
constexpr int ContentsWidth = 260;

// The page part of a topic's address, without its anchor, as a file path.
QString pageOf(const QString &local)
{
    const qsizetype hash = local.indexOf(u'#');
    QString page = hash >= 0 ? local.left(hash) : local;
    return page.startsWith(u'/') ? page : u'/' + page;
}

} // namespace

HelpViewer::HelpViewer(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tervalo Help"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/help.svg")));

    m_contents = new QTreeWidget;
    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_contents->setRootIsDecorated(true);
    m_contents->header()->setStretchLastSection(true);
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setAccessibleName(tr("Contents"));

    m_browser = new HelpBrowser(m_help);
    m_browser->setObjectName(QStringLiteral("page"));
    m_browser->setAccessibleName(tr("Help page"));

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ContentsWidth, DefaultSize.width() - ContentsWidth});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(DefaultSize);

    connect(m_contents, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { showTopic(current); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::followPage);
}

HelpViewer::~HelpViewer() = default;

HelpViewer *HelpViewer::showContents(const QString &chmPath, QWidget *owner)
{
    const QString wanted = QFileInfo(chmPath).absoluteFilePath();
    HelpViewer *viewer = owner
        ? owner->findChild<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly)
        : nullptr;
    if (viewer && viewer->helpFile() == wanted && QFileInfo::exists(wanted)) {
        viewer->show();
        viewer->setWindowState(viewer->windowState() & ~Qt::WindowMinimized);
        viewer->raise();
        viewer->activateWindow();
        return viewer;
    }

    auto *fresh = new HelpViewer(owner);
    if (!fresh->load(wanted)) {
        delete fresh;
        return nullptr;
    }
    // One viewer per owner: a viewer of another file gives way to the new one.
    if (viewer)
        viewer->close();
    fresh->show();
    fresh->raise();
    fresh->activateWindow();
    return fresh;
}

bool HelpViewer::load(const QString &chmPath)
{
    if (!m_help.open(chmPath))
        return false;
    const QList<ChmFile::Topic> topics = m_help.tableOfContents();
    addTopics(nullptr, topics);
    if (m_contents->topLevelItemCount() == 0 && !m_help.object(m_help.defaultTopic()))
        return false;   // nothing that could be shown
    if (!m_help.title().isEmpty())
        setWindowTitle(m_help.title());
    m_contents->expandToDepth(0);

    // Open on the file's default topic, else on the first topic with a page.
    QTreeWidgetItem *first = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it && !first; ++it) {
        if (!(*it)->data(0, LocalRole).toString().isEmpty())
            first = *it;
    }
    if (!m_help.defaultTopic().isEmpty() && m_help.object(m_help.defaultTopic()))
        m_browser->setSource(HelpBrowser::urlFor(m_help.defaultTopic()));
    else if (first)
        m_contents->setCurrentItem(first);
    return true;
}

void HelpViewer::addTopics(QTreeWidgetItem *parent, const QList<ChmFile::Topic> &topics)
{
    for (const ChmFile::Topic &topic : topics) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, topic.name.isEmpty() ? topic.local : topic.name);
        item->setData(0, LocalRole, topic.local);
        item->setToolTip(0, item->text(0));
        addTopics(item, topic.children);
    }
}

void HelpViewer::showTopic(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString local = item->data(0, LocalRole).toString();
    if (local.isEmpty())
        return;
    const QUrl target = HelpBrowser::urlFor(local);
    if (target != m_browser->source())
        m_browser->setSource(target);
}

// Keeps the contents tree on the page shown, also after a link was followed.
void HelpViewer::followPage(const QUrl &page)
{
    QTreeWidgetItem *current = m_contents->currentItem();
    if (current && pageOf(current->data(0, LocalRole).toString()) == page.path())
        return;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString local = (*it)->data(0, LocalRole).toString();
        if (!local.isEmpty() && pageOf(local).compare(page.path(), Qt::CaseInsensitive) == 0) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentItem(*it);
            m_contents->scrollToItem(*it);
            return;
        }
    }
}
