// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClassifyCommand.h"

#include "analysis/ClimateClass.h"
#include "data/DataFile.h"
#include "data/FileName.h"

#include <QFileInfo>
#include <QIODevice>

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

// False when the line could not be written whole (a closed pipe, a full
// disk): the classes did not all arrive, which the exit code must say.
bool writeLine(QIODevice &device, const QByteArray &line)
{
    return device.write(line) == line.size();
}

} // namespace

int classifyFiles(const QStringList &paths, QIODevice &out, QIODevice &errors)
{
    // The months as the main window keeps them between loads: 0 before the
    // first file, then each file's own.
    std::array<double, 13> temp{};
    std::array<double, 13> ppt{};
    int exitCode = 0;
    for (const QString &path : paths) {
        const DataFile::ReadResult read = DataFile::readDataFile(path);
        const QByteArray given = FileName::toNative(oneLine(path));
        if (!read.ok() || read.pairCount < 1) {
            writeLine(errors, "tervalo: " + given + ": " + oneLine(reasonFor(path, read)).toUtf8() + '\n');
            exitCode = 2;
            continue;
        }
        for (int month = 1; month <= read.pairCount && month <= 12; ++month) {
            temp[month] = read.data.temp[month];
            ppt[month] = read.data.ppt[month];
        }
        const ClimateClass climate = ClimateClass::of(temp, ppt);
        if (!climate.isValid()) {
            writeLine(errors, "tervalo: " + given + ": no climate class: its values are too large\n");
            exitCode = 2;
            continue;
        }
        if (!writeLine(out, given + '\t' + climate.code().toUtf8() + '\t' + oneLine(read.data.name).toUtf8() + '\n'))
            exitCode = 2;
    }
    return exitCode;
}
