// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClassifyCommand.h"

#include "analysis/ClimateClass.h"
#include "data/DataFile.h"

#include <QFileInfo>
#include <QTextStream>

#include <array>

namespace {

// One line per file whatever the name holds: a tab or a line break inside
// a field would break the line apart for the script that reads it.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

QString reasonFor(const QString &path, const DataFile::ReadResult &read)
{
    switch (read.status) {
    case DataFile::ReadStatus::CannotOpen: {
        const QFileInfo info(path);
        if (!info.exists())
            return QStringLiteral("no such file");
        if (!info.isFile())
            return QStringLiteral("not a regular file");
        return read.message;
    }
    case DataFile::ReadStatus::Ok:
        return QStringLiteral("not a data file: it holds no monthly pair");
    default:
        return QStringLiteral("not a data file: ") + read.message;
    }
}

} // namespace

int classifyFiles(const QStringList &paths, QTextStream &out, QTextStream &errors)
{
    if (paths.isEmpty()) {
        errors << "tervalo: no data files given to classify" << Qt::endl;
        return 2;
    }
    // The months as the main window keeps them between loads: 0 before the
    // first file, then each file's own.
    std::array<double, 13> temp{};
    std::array<double, 13> ppt{};
    int exitCode = 0;
    for (const QString &path : paths) {
        const DataFile::ReadResult read = DataFile::readDataFile(path);
        if (!read.ok() || read.pairCount < 1) {
            out.flush();
            errors << "tervalo: " << oneLine(path) << ": " << oneLine(reasonFor(path, read)) << Qt::endl;
            exitCode = 2;
            continue;
        }
        for (int month = 1; month <= read.pairCount && month <= 12; ++month) {
            temp[month] = read.data.temp[month];
            ppt[month] = read.data.ppt[month];
        }
        const ClimateClass climate = ClimateClass::of(temp, ppt);
        if (!climate.isValid()) {
            out.flush();
            errors << "tervalo: " << oneLine(path) << ": no climate class: its values are too large" << Qt::endl;
            exitCode = 2;
            continue;
        }
        out << oneLine(path) << '\t' << climate.code() << '\t' << oneLine(read.data.name) << Qt::endl;
    }
    return exitCode;
}
