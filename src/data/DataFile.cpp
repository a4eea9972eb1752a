// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataFile.h"

#include "data/FileReader.h"
#include "data/FileSaver.h"
#include "data/NumberText.h"

#include <QStringDecoder>

#include <array>
#include <optional>

namespace DataFile {
namespace {

// Windows-1252 bytes 0x80..0x9F; the other bytes are their Latin-1 code points.
// The five bytes the code page leaves undefined map to the C1 controls, as
// Windows itself decodes them.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromCp1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(cp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

// The byte for `c` in Windows-1252, or nothing when the code page lacks it.
std::optional<char> toCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (size_t i = 0; i < cp1252High.size(); ++i)
        if (cp1252High[i] == u)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// UTF-8 when the bytes are valid UTF-8 (plain ASCII is both), else Windows-1252:
// files from the original program are in the Windows code page, files written
// on other systems usually in UTF-8.
QString decodeField(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromCp1252(bytes);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

enum class FieldEnd { Comma, LineEnd, Input };

struct Field
{
    bool present = false;     // false: the input ended before the field began
    QByteArrayView bytes;
    FieldEnd end = FieldEnd::Input;
};

// Reads one comma-separated field starting at `pos` and leaves `pos` after the
// separator that ends it. A quoted field runs to the next double quote (line
// ends included) and whatever follows it up to the separator is skipped; an
// unquoted field runs to the next comma or line end, blanks trimmed. CR, LF
// and CRLF each count as one line end.
Field readField(QByteArrayView input, qsizetype &pos)
{
    const qsizetype size = input.size();
    Field field;
    while (pos < size && isBlank(input[pos]))
        ++pos;
    if (pos >= size)
        return field;
    field.present = true;

    qsizetype searchFrom = pos;
    if (input[pos] == '"') {
        const qsizetype close = input.indexOf('"', pos + 1);
        if (close < 0) {
            field.bytes = input.sliced(pos + 1);
            pos = size;
            return field;
        }
        field.bytes = input.sliced(pos + 1, close - pos - 1);
        searchFrom = close + 1;
    }

    qsizetype stop = searchFrom;
    while (stop < size && input[stop] != ',' && !isLineEnd(input[stop]))
        ++stop;

    if (input[pos] != '"') {
        qsizetype first = pos;
        qsizetype last = stop;
        while (last > first && isBlank(input[last - 1]))
            --last;
        field.bytes = input.sliced(first, last - first);
    }

    if (stop >= size) {
        pos = size;
        field.end = FieldEnd::Input;
    } else if (input[stop] == ',') {
        pos = stop + 1;
        field.end = FieldEnd::Comma;
    } else {
        pos = stop + 1;
        if (input[stop] == '\r' && pos < size && input[pos] == '\n')
            ++pos;
        field.end = FieldEnd::LineEnd;
    }
    return field;
}

ReadResult failure(ReadResult result, ReadStatus status, const QString &message)
{
    result.status = status;
    result.message = message;
    return result;
}

// A data file is one line of about two hundred bytes; anything past this size
// is not one, and reading stops there instead of filling memory.
constexpr qint64 maximumFileSize = 1024 * 1024;

// A double quote would end its field early and make the file unreadable.
QString withoutDoubleQuotes(QString text)
{
    return text.replace(u'"', u'\'');
}

} // namespace

ReadResult parseDataFile(const QByteArray &bytes, const QLocale &locale)
{
    ReadResult result;
    QByteArrayView input(bytes);
    qsizetype pos = 0;
    if (input.startsWith("\xEF\xBB\xBF"))   // a byte-order mark some editors add
        pos = 3;

    const Field nameField = readField(input, pos);
    if (!nameField.present)
        return failure(result, ReadStatus::MissingField, QStringLiteral("the file is empty"));
    result.data.name = decodeField(nameField.bytes);

    Field pairField;
    if (nameField.end != FieldEnd::Input)
        pairField = readField(input, pos);
    if (!pairField.present)
        return failure(result, ReadStatus::MissingField,
                       QStringLiteral("the file ends before the pair list"));
    const QString pairs = decodeField(pairField.bytes);

    // Each pass skips the opening parenthesis of the next pair and takes the
    // text up to the next "),(" as that pair. A pair counts only when "),("
    // follows it, so the closing pair (13;0) is never read and a list without
    // it loses its last month.
    const QStringView list(pairs);
    qsizetype start = 0;
    while (result.pairCount < 12 && start < list.size()) {
        const qsizetype next = list.indexOf(u"),(", start + 1);
        if (next < 0)
            break;
        const QStringView pair = list.sliced(start + 1, next - start - 1);
        start = next + 2;
        const int month = result.pairCount + 1;

        const qsizetype semicolon = pair.indexOf(u';');
        if (semicolon < 0)
            return failure(result, ReadStatus::PairWithoutSemicolon,
                           QStringLiteral("pair %1 has no semicolon").arg(month));
        const std::optional<double> ppt = NumberText::parseFileNumber(pair.sliced(semicolon + 1), locale);
        if (!ppt)
            return failure(result, ReadStatus::BadNumber,
                           QStringLiteral("precipitation of pair %1 is not a number").arg(month));
        result.data.ppt[month] = *ppt;
        result.pptCount = month;
        const std::optional<double> temp = NumberText::parseFileNumber(pair.first(semicolon), locale);
        if (!temp)
            return failure(result, ReadStatus::BadNumber,
                           QStringLiteral("temperature of pair %1 is not a number").arg(month));
        result.data.temp[month] = *temp;
        result.pairCount = month;
    }
    result.status = ReadStatus::Ok;
    return result;
}

ReadResult readDataFile(const QString &path, const QLocale &locale)
{
    ReadResult result;
    if (path.isEmpty())
        return failure(result, ReadStatus::CannotOpen, QStringLiteral("no file name"));
    const FileReader::Result file = FileReader::read(path, maximumFileSize);
    switch (file.status) {
    case FileReader::Status::Ok:
        break;
    case FileReader::Status::NotAFile:
        return failure(result, ReadStatus::CannotOpen, QStringLiteral("%1 is not a file").arg(path));
    case FileReader::Status::Failed:
        return failure(result, ReadStatus::CannotOpen, file.reason);
    case FileReader::Status::TooLarge:
        return failure(result, ReadStatus::CannotOpen,
                       QStringLiteral("larger than %1 bytes: not a data file").arg(maximumFileSize));
    }
    return parseDataFile(file.bytes, locale);
}

QByteArray dataFileBytes(const QString &placeName, const std::vector<CellRow> &rows)
{
    QString pairs;
    for (const CellRow &row : rows) {
        const QString ppt = row.second.isEmpty() ? QStringLiteral("0") : row.second;
        pairs += u'(' + withoutDoubleQuotes(row.first) + u';' + withoutDoubleQuotes(ppt)
                 + QStringLiteral("),");
    }
    // The closing pair holds the editor grid's row count: the caption row and
    // one row per month.
    pairs += u'(' + QString::number(rows.size() + 1) + QStringLiteral(";0)");

    const QString name = placeName.isEmpty() ? QStringLiteral("Tervalo") : placeName;
    const QString line = u'"' + withoutDoubleQuotes(name) + QStringLiteral("\",\"") + pairs
                         + QStringLiteral("\"\r\n");

    // Windows-1252 keeps the files readable by the original Windows program;
    // UTF-8 when a character is missing from that code page, or when the
    // 1252 bytes would happen to be valid UTF-8 and so read back differently.
    QByteArray cp1252;
    cp1252.reserve(line.size());
    for (QChar c : line) {
        const std::optional<char> byte = toCp1252(c);
        if (!byte)
            return line.toUtf8();
        cp1252.append(*byte);
    }
    if (decodeField(cp1252) == line)
        return cp1252;
    return line.toUtf8();
}

WriteResult writeDataFile(const QString &path, const QString &placeName,
                          const std::vector<CellRow> &rows)
{
    WriteResult result;
    result.message = FileSaver::save(path, dataFileBytes(placeName, rows));
    result.ok = result.message.isEmpty();
    return result;
}

} // namespace DataFile
