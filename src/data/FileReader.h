// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file the user named, for the readers of data files and
// chart documents. Only a regular file is read: a folder, a device or a
// named pipe never is (opening a device can act on it, and reading a pipe
// could wait for ever), also when a file is swapped for one between the
// check and the opening. The name goes to the system as its own bytes, also
// when they are not UTF-8 (see FileName). A file larger than the reader's
// limit is not read past it.
class FileReader
{
public:
    enum class Status {
        Ok,
        NotAFile,    // missing, or not a regular file
        Failed,      // the system refused to open or read it: `reason` says why
        TooLarge,    // more than `maximumBytes`
    };
    struct Result
    {
        Status status = Status::NotAFile;
        QByteArray bytes;
        QString reason;
        bool ok() const { return status == Status::Ok; }
    };

    static Result read(const QString &path, qint64 maximumBytes);
};
