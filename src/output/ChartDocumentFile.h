// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartDocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The chart document ".tvc": a ChartDocument as readable XML, its version on
// the first element, numbers written the shortest way that reads back to the
// same double and free of any locale. A document is read whole and checked
// whole before anyone gets it, so a damaged one changes nothing; the result
// says what was wrong and where.
class ChartDocumentFile
{
public:
    // The version this program writes. It reads this one and every older
    // one, and refuses a newer one.
    static constexpr int version = 1;
    // Anything larger is not a chart document (fifty places with long names
    // stay far below it).
    static constexpr qint64 maximumFileSize = 64 * 1024 * 1024;
    // What the title box can hold.
    static constexpr int maximumTitleLength = 32767;

    struct ReadResult
    {
        std::optional<ChartDocument> document;
        QString error;   // why it was refused, for the user: "line 12: …"
        bool ok() const { return document.has_value(); }
    };

    static QByteArray bytes(const ChartDocument &document);
    static ReadResult parse(const QByteArray &bytes);
    static ReadResult read(const QString &path);
    // Saved as every file of the program is (FileSaver): a failure leaves
    // the old file as it was. Returns why it failed; empty on success.
    static QString write(const QString &path, const ChartDocument &document);
};
