// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSet.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The ".tvr" data file: one line, CRLF, two double-quoted fields — the place
// name and the pair list "(t;p),(t;p),…,(13;0)". Reading and writing never
// throw; the result says what happened and the window decides what to show.
// Text is read as UTF-8 when the bytes are valid UTF-8, else as Windows-1252;
// it is written in Windows-1252 when that code page holds every character and
// reads back unchanged, else in UTF-8. Numbers are written as the cells hold
// them, in the user's form, and read with "." and "," both as the decimal
// separator (NumberText::parseFileNumber), so a file means the same under
// every locale.
namespace DataFile {

enum class ReadStatus {
    Ok,
    CannotOpen,      // missing, unreadable, not a regular file, or over 1 MiB (not a data file)
    MissingField,    // the file ends before the second field (or is empty)
    PairWithoutSemicolon,
    BadNumber,       // a number text that is empty or not a number
};

struct ReadResult
{
    ReadStatus status = ReadStatus::CannotOpen;
    QString message;        // for the developer and the tests; the windows stay silent
    DataSet data;           // months 1..pairCount are filled
    int pairCount = 0;      // monthly pairs found, 0..12 (on failure: the pairs read before it)
    // Months whose precipitation was stored: pairCount, or one more when a
    // pair failed on its temperature after its precipitation had been read
    // (the precipitation is converted first).
    int pptCount = 0;
    bool ok() const { return status == ReadStatus::Ok; }
};

struct WriteResult
{
    bool ok = false;
    QString message;        // the reason, when writing failed (for the user)
};

// One grid row of the editor: the temperature and the precipitation cell texts.
using CellRow = std::pair<QString, QString>;

ReadResult readDataFile(const QString &path, const QLocale &locale = QLocale());
// The same rules on bytes already in memory (the fuzzer and the tests use it).
ReadResult parseDataFile(const QByteArray &bytes, const QLocale &locale = QLocale());

// The exact bytes writeDataFile puts on disk for these rows (normally 12).
QByteArray dataFileBytes(const QString &placeName, const std::vector<CellRow> &rows);
// Saves through FileSaver::save: a failure leaves an existing file untouched
// and says why.
WriteResult writeDataFile(const QString &path, const QString &placeName,
                          const std::vector<CellRow> &rows);

} // namespace DataFile
