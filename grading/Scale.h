// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace grading {

// What a key's bounds count. Under points a grade is earned from a percentage of the maximum up,
// the more the better; under errors up to a number of errors, the fewer the better.
enum class Scale { Points, Errors };
inline constexpr std::array allScales{Scale::Points, Scale::Errors};

// "Punkte", "Fehler": as the key file writes the scale and the editor offers it.
QString scaleName(Scale scale);
std::optional<Scale> scaleNamed(const QString& name);

// The heading over the bounds in the editor: "ab %", "bis Fehler".
QString boundHeading(Scale scale);

// A bound of an error key, a whole or half number, in whole half errors.
qint64 halfErrorsOfBound(double bound);

} // namespace grading
