// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QLocale;

namespace grading {

// A text is a number when the locale reads it whole as a finite value: its own decimal separator
// and digit grouping, an optional sign and exponent, blanks around it. "inf" and "nan" are not
// numbers to a teacher, and neither is a value beyond the double range.
std::optional<double> readNumber(const QString& text, const QLocale& locale);
bool isNumeric(const QString& text, const QLocale& locale);

// IEEE round-to-nearest into single precision without the undefined behaviour of a plain cast:
// values that round past the largest single become ±infinity, values just above it stay finite.
float roundToSingle(double value);

// A point value as the calculation uses it: the entered number, or 0 when it lies outside what a
// single can hold (beyond its largest value, or so small that it rounds to zero).
double pointsInSingleRange(double value);

// A count as it is shown and copied: "1000", never "1.000".
QString countText(qint64 count, const QLocale& locale);

// Errors as typed: 0 or more, whole or half ("2,5"); nothing for any other text.
std::optional<double> errorsFromText(const QString& text, const QLocale& locale);
// "1 Wort", "120 Wörter".
QString wordsText(qint64 words, const QLocale& locale);

// A word count as typed: a whole number from 1, below 2^53; nothing for any other text.
std::optional<qint64> wordsFromText(const QString& text, const QLocale& locale);

// Errors in whole half errors, as they are graded; a count past 2^61 errors stands as 2^61, past
// what any bound allows in any word count taken (2^54 half errors).
qint64 halfErrorsOf(double errors);

// The pattern "0.0" in the locale, without digit grouping; halves round away from zero. A
// single-precision percentage may outgrow 64 bits of tenths, so it is written as a double.
// A non-finite percentage gets a text that plainly is no number ("∞", "-∞", "n. def.").
QString formatPercentage(float percentage, const QLocale& locale);

} // namespace grading
