// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Decimal.h"

#include <QString>
#include <array>
#include <optional>

namespace grading {

// What a key's bounds count. Under points a grade is earned from a percentage of the maximum up,
// the more the better; under errors up to a number of errors, under errors per 100 words up to an
// error quotient (errors × 100 ÷ words), the fewer the better.
enum class Scale { Points, Errors, ErrorsPer100Words };
inline constexpr std::array allScales{Scale::Points, Scale::Errors, Scale::ErrorsPer100Words};

// Whether results are typed as errors, whole or half.
bool countsErrors(Scale scale);
// Errors count whole or half: 2 and 2,5, never 2,25; nor do the bounds of a key of errors.
bool isWholeOrHalf(double errors);

// "Punkte", "Fehler", "Fehler je 100 Wörter": as the key file writes the scale and the editor
// offers it.
QString scaleName(Scale scale);
std::optional<Scale> scaleNamed(const QString& name);

// The heading over the bounds in the editor: "ab %", "bis Fehler", "bis Fehler je 100".
QString boundHeading(Scale scale);

// The most half errors a grade's bound allows: under errors the bound itself, a whole or half
// number; under errors per 100 words as many as keep errors × 100 ÷ `words` at or under it,
// worked out in integers.
qint64 mostHalfErrors(Scale scale, double bound, qint64 words);

// Errors per 100 words in hundredths, rounded up, of so many half errors in `words` words (from 1):
// what the window shows, and what a grade's bound in hundredths must reach, so that a quotient
// that passes a bound by a hair never reads as the bound. Past 64 bits for 1E300 errors.
Wide errorsPer100Words(qint64 halfErrors, qint64 words);

} // namespace grading
