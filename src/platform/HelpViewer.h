// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ChmFile.h"

#include <QWidget>

class HelpBrowser;
class QTreeWidget;
class QTreeWidgetItem;

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

    ~HelpViewer() override;

    QString helpFile() const { return m_help.path(); }
    QTreeWidget *contentsTree() const { return m_contents; }
    HelpBrowser *browser() const { return m_browser; }

private:
    explicit HelpViewer(QWidget *owner);

    bool load(const QString &chmPath);
    void addTopics(QTreeWidgetItem *parent, const QList<ChmFile::Topic> &topics);
    void showTopic(QTreeWidgetItem *item);
    void followPage(const QUrl &page);

    ChmFile m_help;
    QTreeWidget *m_contents = nullptr;
    HelpBrowser *m_browser = nullptr;
};
