// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBrowser>

class ChmFile;

// Shows the pages of an open help file. Pages are addressed as
// "chm:/page.html"; relative links and pictures resolve against the page
// shown and are read from the same file. Links that leave the file are not
// followed.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    static constexpr auto Scheme = "chm";

    explicit HelpBrowser(const ChmFile &help, QWidget *parent = nullptr);

    // The address of an object of the help file ("index.html" or "/index.html").
    static QUrl urlFor(const QString &objectPath);

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    const ChmFile &m_help;
};
