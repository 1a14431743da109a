// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

} // namespace grading
