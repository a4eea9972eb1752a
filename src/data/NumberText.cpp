// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace NumberText {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x00A0) || c == QChar(0x202F);
}

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// A locale's separators are single characters in every locale we care about;
// a multi-character one (none known) simply never matches.
QChar singleChar(const QString &s, QChar fallback)
{
    return s.size() == 1 ? s.front() : fallback;
}

bool isGroupSeparator(QChar c, QChar group)
{
    // Locales that group with a (narrow) no-break space are also typed with a
    // plain blank, so all three count as the group separator there.
    if (isBlank(group))
        return isBlank(c);
    return c == group;
}

// "-" always; also the locale's own minus sign where it is another character
// (some locales use U+2212).
bool isMinus(QChar c, const QLocale &locale)
{
    return c == u'-' || c == singleChar(locale.negativeSign(), u'-');
}

enum class Mark { None, Decimal, Group };

// Maps a trimmed text to the C form that std::from_chars reads: ASCII
// digits, '.', 'e', one leading '-'. The characters `markOf` calls decimal or
// group separators become '.' or are dropped; anything else makes the text
// not a number.
template <typename MarkOf>
std::optional<std::string> cForm(QStringView body, const QLocale &locale, MarkOf markOf)
{
    if (body.isEmpty())
        return std::nullopt;

    std::string ascii;
    ascii.reserve(static_cast<size_t>(body.size()));
    qsizetype i = 0;
    if (isMinus(body[0], locale)) {
        ascii.push_back('-');
        i = 1;
    } else if (body[0] == u'+') {
        i = 1;
    }
    bool sawDigit = false;
    bool sawExponent = false;
    for (; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c >= u'0' && c <= u'9') {
            ascii.push_back(static_cast<char>(c.unicode()));
            sawDigit = true;
            continue;
        }
        const Mark mark = sawExponent ? Mark::None : markOf(i, c);
        if (mark == Mark::Decimal) {
            ascii.push_back('.');
        } else if (mark == Mark::Group) {
            continue;
        } else if ((c == u'e' || c == u'E') && sawDigit && !sawExponent) {
            ascii.push_back('e');
            sawExponent = true;
            if (i + 1 < body.size() && (body[i + 1] == u'-' || body[i + 1] == u'+')) {
                ++i;
                if (body[i] == u'-')
                    ascii.push_back('-');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit)
        return std::nullopt;
    return ascii;
}

// The finite value of a C-form text.
std::optional<double> valueOf(const std::string &ascii)
{
    double value = 0.0;
    const char *first = ascii.data();
    const char *last = first + ascii.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename MarkOf>
std::optional<double> readNumber(QStringView body, const QLocale &locale, MarkOf markOf)
{
    const std::optional<std::string> ascii = cForm(body, locale, markOf);
    return ascii ? valueOf(*ascii) : std::nullopt;
}

// The marks of a number typed in the locale: its decimal separator, and its
// digit-group separator anywhere.
auto localeMarks(const QLocale &locale)
{
    const QChar decimal = singleChar(locale.decimalPoint(), u'.');
    const QChar group = singleChar(locale.groupSeparator(), u',');
    return [decimal, group](qsizetype, QChar c) {
        if (c == decimal)
            return Mark::Decimal;
        return isGroupSeparator(c, group) ? Mark::Group : Mark::None;
    };
}

} // namespace

std::optional<double> parse(QStringView text, const QLocale &locale)
{
    return readNumber(trimmed(text), locale, localeMarks(locale));
}

std::optional<QString> plain(QStringView text, const QLocale &locale)
{
    const std::optional<std::string> ascii = cForm(trimmed(text), locale, localeMarks(locale));
    if (!ascii || !valueOf(*ascii))
        return std::nullopt;
    return QString::fromLatin1(ascii->data(), static_cast<qsizetype>(ascii->size()));
}

QString fromPlain(QStringView plain, const QLocale &locale)
{
    QString text = plain.toString();
    text.replace(u'.', singleChar(locale.decimalPoint(), u'.'));
    return text;
}

std::optional<double> parseFileNumber(QStringView text, const QLocale &locale)
{
    const QChar localeDecimal = singleChar(locale.decimalPoint(), u'.');
    const QChar localeGroup = singleChar(locale.groupSeparator(), u',');
    const auto isSeparator = [&](QChar c) { return c == u'.' || c == u',' || c == localeDecimal; };
    const QStringView body = trimmed(text);

    // Only the digits before an exponent can hold the decimal separator.
    qsizetype mantissaEnd = 0;
    while (mantissaEnd < body.size() && body[mantissaEnd] != u'e' && body[mantissaEnd] != u'E')
        ++mantissaEnd;
    qsizetype decimalAt = -1;
    for (qsizetype i = mantissaEnd - 1; i >= 0; --i) {
        if (isSeparator(body[i])) {
            decimalAt = i;
            break;
        }
    }
    if (decimalAt >= 0) {
        const QChar last = body[decimalAt];
        for (qsizetype i = 0; i < decimalAt; ++i)
            if (body[i] == last)
                decimalAt = -1;
    }

    // A group separator stands between two digits; elsewhere ("1..5", ",5,")
    // it is a slip, and the text no number.
    const auto isDigit = [&](qsizetype i) {
        return i >= 0 && i < body.size() && body[i] >= u'0' && body[i] <= u'9';
    };
    return readNumber(body, locale, [&](qsizetype i, QChar c) {
        if (i == decimalAt)
            return Mark::Decimal;
        const bool group = isSeparator(c) || isGroupSeparator(c, localeGroup);
        return group && isDigit(i - 1) && isDigit(i + 1) ? Mark::Group : Mark::None;
    });
}

double leadingValue(QStringView text, const QLocale &locale)
{
    const QChar decimal = singleChar(locale.decimalPoint(), u'.');
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;

    std::string ascii;
    if (i < text.size() && isMinus(text[i], locale)) {
        ascii.push_back('-');
        ++i;
    } else if (i < text.size() && text[i] == u'+') {
        ++i;
    }
    bool sawDecimal = false;
    bool sawDigit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            ascii.push_back(static_cast<char>(c.unicode()));
            sawDigit = true;
        } else if (c == decimal && !sawDecimal) {
            ascii.push_back('.');
            sawDecimal = true;
        } else {
            break;
        }
    }
    // An exponent counts only when at least one digit follows it.
    if (sawDigit && i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (text[j] == u'-' || text[j] == u'+') {
            if (text[j] == u'-')
                exponent.push_back('-');
            ++j;
        }
        bool exponentDigit = false;
        while (j < text.size() && text[j] >= u'0' && text[j] <= u'9') {
            exponent.push_back(static_cast<char>(text[j].unicode()));
            exponentDigit = true;
            ++j;
        }
        if (exponentDigit)
            ascii += exponent;
    }
    if (!sawDigit)
        return 0.0;

    double value = 0.0;
    const auto [end, error] =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::general);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

QString fixed(double value, int decimals, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString();
    decimals = std::max(decimals, 0);

    // Round the value as it is written, not as it is stored: 9.95 is held as
    // 9.9499999…, yet a user who sees 9.95 expects 10.0 at one decimal. So
    // take its 15 significant digits (all a double reliably holds) and round
    // those half away from zero.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                            std::chars_format::scientific, 14);
    if (error != std::errc())
        return QString();
    const std::string_view written(buffer, static_cast<size_t>(end - buffer));
    const size_t e = written.find('e');
    std::string digits; // 15 significant digits, the first one before the point
    for (char c : written.substr(0, e))
        if (c != '.')
            digits.push_back(c);
    int exponent = 0;
    const char *exponentText = written.data() + e + 1; // "+01", "-05": from_chars takes no '+'
    if (*exponentText == '+')
        ++exponentText;
    std::from_chars(exponentText, written.data() + written.size(), exponent);

    // How many of the digits stand before the rounding position.
    const int kept = exponent + 1 + decimals;
    QString text;
    if (kept > static_cast<int>(digits.size())) {
        // Nothing to round (the value has no digits that far to the right).
        text = QLocale::c().toString(std::fabs(value), 'f', decimals);
    } else {
        quint64 scaled = 0; // |value| × 10^decimals, rounded
        for (int i = 0; i < kept; ++i)
            scaled = scaled * 10 + static_cast<quint64>(digits[static_cast<size_t>(i)] - '0');
        if (kept >= 0 && digits[static_cast<size_t>(kept)] >= '5')
            ++scaled;
        std::string plain = std::to_string(scaled);
        if (plain.size() < static_cast<size_t>(decimals) + 1)
            plain.insert(0, static_cast<size_t>(decimals) + 1 - plain.size(), '0');
        if (decimals > 0)
            plain.insert(plain.size() - static_cast<size_t>(decimals), 1, '.');
        text = QString::fromLatin1(plain.data(), static_cast<qsizetype>(plain.size()));
    }

    // A negative value keeps its minus sign unless it shows as zero.
    const bool showsZero = std::none_of(text.cbegin(), text.cend(),
                                        [](QChar c) { return c >= u'1' && c <= u'9'; });
    if (value < 0 && !showsZero)
        text.prepend(u'-');
    const QString decimal = locale.decimalPoint();
    if (decimal != QStringLiteral("."))
        text.replace(u'.', decimal);
    return text;
}

QString general(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc())
        return QString();
    QString text = QString::fromLatin1(buffer, end - buffer);
    // to_chars writes "1e-05"; the program's own form is "1E-05".
    text.replace(u'e', u'E');
    const QString decimal = locale.decimalPoint();
    if (decimal != QStringLiteral("."))
        text.replace(u'.', decimal);
    return text;
}

std::optional<int> wholeNumber(double value, int minimum, int maximum)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double rounded = std::round(value); // halves away from zero …
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0); // … except exact halves, to even
    if (rounded < minimum || rounded > maximum)
        return std::nullopt;
    return static_cast<int>(rounded);
}

} // namespace NumberText
