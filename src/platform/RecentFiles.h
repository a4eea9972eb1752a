// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The files the user opened or saved last, data files and chart documents
// alike, newest first, at most `maximum` of them. Kept in the user's
// settings (QSettings), so the list outlives the program and is shared by
// its windows: every call reads or writes the settings afresh.
class RecentFiles
{
public:
    static constexpr int maximum = 10;

    static QStringList list();
    // Puts `path` (made absolute) first; an older entry for it goes.
    static void add(const QString &path);
    static void remove(const QString &path);
    static void clear();
};
