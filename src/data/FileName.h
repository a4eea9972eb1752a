// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A file's name as the system keeps it: bytes, which are UTF-8 nearly
// always but need not be (a file copied from an old Latin-1 disk, a name
// made by a script). Qt reads a name that is not valid UTF-8 with U+FFFD in
// place of each stray byte, so that file could be neither read nor written
// under its own name. fromNative() keeps each such byte instead as the lone
// surrogate U+DC80..U+DCFF (the same escape Python uses), which no valid
// UTF-8 can produce, and toNative() gives the original bytes back. For a
// valid UTF-8 name both are the plain conversions.
//
// Only the places that meet the file system use toNative(): reading a data
// file and saving a file. Names from the command line come through
// fromNative(); names from Qt's dialogs are valid already.
class FileName
{
public:
    static QString fromNative(QByteArrayView bytes);
    static QByteArray toNative(QStringView name);

    // The name in double quotes on one line, for messages in a terminal: a
    // line break, a tab, another control character or a stray byte is
    // written as a backslash escape (\n, \t, \x1b, \xff), and so are the
    // quote and the backslash themselves.
    static QString quoted(QStringView name);
};
