// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FileName.h"

namespace {

// Bytes that do not start a valid UTF-8 sequence stand for themselves as
// U+DC00 + byte; only 0x80..0xFF can be such bytes.
constexpr char16_t escapeBase = 0xDC00;

bool isEscapedByte(char16_t unit)
{
    return unit >= escapeBase + 0x80 && unit <= escapeBase + 0xFF;
}

// The length of the valid UTF-8 sequence that starts at `at`, or 0 when
// the byte there does not start one. Overlong forms, surrogates and values
// past U+10FFFF are not valid.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString FileName::fromNative(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.sliced(runStart, at - runStart));
        name += QChar(char16_t(escapeBase + static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    name += QString::fromUtf8(bytes.sliced(runStart));
    return name;
}

QByteArray FileName::toNative(QStringView name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        // A low surrogate after a high one is half of a valid character.
        if (!isEscapedByte(name[i].unicode()) || (i > 0 && name[i - 1].isHighSurrogate()))
            continue;
        bytes += name.sliced(runStart, i - runStart).toUtf8();
        bytes += char(name[i].unicode() - escapeBase);
        runStart = i + 1;
    }
    bytes += name.sliced(runStart).toUtf8();
    return bytes;
}

QString FileName::quoted(QStringView name)
{
    QString text = QStringLiteral("\"");
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const bool pairedLow = i > 0 && name[i - 1].isHighSurrogate() && name[i].isLowSurrogate();
        const bool pairedHigh = i + 1 < name.size() && name[i].isHighSurrogate() && name[i + 1].isLowSurrogate();
        switch (unit) {
        case u'"':
            text += QStringLiteral("\\\"");
            break;
        case u'\\':
            text += QStringLiteral("\\\\");
            break;
        case u'\n':
            text += QStringLiteral("\\n");
            break;
        case u'\r':
            text += QStringLiteral("\\r");
            break;
        case u'\t':
            text += QStringLiteral("\\t");
            break;
        default:
            if (unit < 0x20 || unit == 0x7F)
                text += QStringLiteral("\\x%1").arg(uint(unit), 2, 16, QLatin1Char('0'));
            else if (isEscapedByte(unit) && !pairedLow)
                text += QStringLiteral("\\x%1").arg(uint(unit - escapeBase), 2, 16, QLatin1Char('0'));
            else if (QChar::isSurrogate(unit) && !pairedLow && !pairedHigh)
                text += QStringLiteral("\\u%1").arg(uint(unit), 4, 16, QLatin1Char('0'));
            else
                text += QChar(unit);
        }
    }
    return text + u'"';
}
