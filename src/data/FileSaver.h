// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The one way the program saves a file: data files from the editor and the
// station library, charts from the window and the command line, and any
// file to come. What it promises:
// - What was there is never damaged. The bytes go to a temporary file
//   beside the target, which replaces the target in one step once every
//   byte is on the disk; after any failure the temporary file goes and the
//   target is as it was.
// - A target that exists and is not a regular file once links are followed
//   (a folder, a device, a named pipe, a socket) is refused and left alone:
//   the replacing step would put a regular file in its place.
// - A failure says why in the system's words ("No space left on device"),
//   also when the disk cuts a write short, which by itself gives no reason.
// - Any name the file system takes can be saved: one that is not valid
//   UTF-8 (see FileName), and one too long for QSaveFile, whose temporary
//   copy is named after the target plus seven bytes. Those two go through a
//   temporary file with a short name of its own, renamed over the target.
class FileSaver
{
public:
    // Writes `bytes` as the file `path`. Returns why that failed, in words
    // for the user (a sentence without its final full stop); an empty text
    // when the file was saved.
    static QString save(const QString &path, const QByteArray &bytes);
};
