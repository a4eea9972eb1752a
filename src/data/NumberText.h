// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// Every place where numbers meet text goes through here: reading what the user
// typed or a data file holds, and writing numbers into cells, boxes and labels.
// All functions take the locale explicitly (default: the user's locale) so that
// tests never depend on the machine they run on.
namespace NumberText {

// Reads a whole text as a number the way the user's locale writes numbers:
// the locale's decimal separator, its digit-group separator skipped wherever it
// stands, an optional leading sign, an optional exponent ("E" and a signed
// integer), blanks around the number. Empty text, anything else, and values
// that are not finite give no value.
std::optional<double> parse(QStringView text, const QLocale &locale = QLocale());

// A number text in the plain form that reads alike everywhere: "-1234.50",
// "1.5e-3" (ASCII digits, '.', 'e', a leading '-', no grouping), the digits
// as the text shows them, trailing zeros included. No value when the text is
// not a number.
std::optional<QString> plain(QStringView text, const QLocale &locale = QLocale());
// A plain number text as the locale writes it (its decimal separator).
QString fromPlain(QStringView plain, const QLocale &locale = QLocale());

// Reads a number as a data file holds it. A file does not record the
// separator it was written with and travels between computers, so "." and
// "," both mark the decimals: "12.5" and "12,5" are twelve and a half under
// every locale. In a number holding several of them, the last is the decimal
// separator when it is the only one of its kind, and every other one is a
// digit-group separator, skipped where it stands between two digits:
// "1.234,5" and "1,234.5" are 1234.5, "1,234,567" is 1234567, "1..5" is no
// number. The locale's own decimal separator, where it is neither character,
// marks the decimals too, and its digit-group separator (a blank in some
// locales) groups as well; the rest is as parse() reads it.
std::optional<double> parseFileNumber(QStringView text, const QLocale &locale = QLocale());

// The lenient prefix read: leading blanks skipped, then as much of a number as
// the text offers (sign, digits, the locale's decimal separator, exponent);
// reading stops at the first character that cannot continue a number. Nothing
// readable gives 0.
double leadingValue(QStringView text, const QLocale &locale = QLocale());

// Fixed pattern with exactly `decimals` decimals ("#0", "#0.00", "###0.0" …):
// halves away from zero — halves as the value is written to 15 significant
// digits, so 9.95 gives 10.0 although the double lies just below 9.95 — no
// digit grouping, a leading "-" for negative values (never for a value that
// shows as zero), the locale's decimal separator.
QString fixed(double value, int decimals, const QLocale &locale = QLocale());

// General form: shortest text of at most 15 significant digits, no grouping,
// the locale's decimal separator, exponent form ("1E-05", "1E+15") for
// magnitudes below 0.0001 or from 1E+15 up.
QString general(double value, const QLocale &locale = QLocale());

// Whole number nearest to `value`, halves to the even neighbour; no value when
// the result lies outside [minimum, maximum] or `value` is not finite.
std::optional<int> wholeNumber(double value, int minimum, int maximum);

} // namespace NumberText
