// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct chmFile;

// Read-only access to a compiled help file (.chm) through chmlib.
//
// chmlib trusts the file: a damaged directory or compression table makes it
// read or write outside its buffers. So before chmlib sees a file, open()
// walks the file's header and directory itself and refuses the file unless
// every object lies inside the file (or inside the compressed stream) and the
// compression tables are consistent. Files above MaxFileSize and objects
// above MaxObjectSize are refused outright. Nothing here throws or asserts on
// file content: every failure is a false, an empty optional or an empty list.
class ChmFile
{
public:
    static constexpr qint64 MaxFileSize = 32 * 1024 * 1024;
    static constexpr qint64 MaxObjectSize = 4 * 1024 * 1024;

    // One entry of the table of contents; `local` is the page's path inside
    // the file as the contents file writes it (usually without a leading "/"),
    // empty for a heading without a page.
    struct Topic {
        QString name;
        QString local;
        QList<Topic> children;
    };

    ChmFile() = default;
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // Opens the file for reading; false (and the file stays closed) when it is
    // missing, too large, or not a sound help file.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_handle != nullptr; }
    QString path() const { return m_path; }

    // From the file's /#SYSTEM object, as absolute object paths ("/x.hhc");
    // empty when the file does not name one.
    QString contentsFile() const { return m_contentsFile; }
    QString defaultTopic() const { return m_defaultTopic; }
    QString title() const { return m_title; }

    // The paths of the file's ordinary objects ("/index.html", …), in
    // directory order; the internal "::DataSpace" and "/#…" objects are left out.
    QStringList objectPaths() const;

    // The whole content of the object at `objectPath` ("/index.html"; a path
    // without the leading "/" is taken as absolute too).
    std::optional<QByteArray> object(const QString &objectPath) const;

    // The table of contents read from the contents file; empty when there is
    // none or it cannot be read.
    QList<Topic> tableOfContents() const;

    // Parses a sitemap (.hhc) text into topics. Damaged or deeply nested input
    // gives what could be read, never more than a few thousand topics.
    static QList<Topic> parseSitemap(const QByteArray &sitemap);

private:
    void readSystemObject();

    // Where an object lies: section (0 stored, 1 compressed), offset, length,
    // as the structural check of open() read them from the directory.
    struct Extent {
        quint64 space = 0;
        quint64 start = 0;
        quint64 length = 0;
    };

    chmFile *m_handle = nullptr;
    QHash<QString, Extent> m_entries;  // by lower-case path
    QStringList m_order;               // paths in directory order
    QString m_path;
    QString m_contentsFile;
    QString m_defaultTopic;
    QString m_title;
};
