// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class QLocale;

namespace keys {

// A key's bounds from its pass mark alone, as many schools set them ("the 4 from 50 %"): the bend
// grade (0 the best, never the last of `grades`) starts at the bend's percentage; the grades above
// it share the span up to 100 % in equal steps, the best grade's step as wide as each other; the
// grades below it share the span down to 0 in equal steps, the last without a bound. Each bound
// in whole hundredths of a percent, worked out exactly and rounded halves up.
struct Bend {
    std::size_t grade = 0;
    qint64 hundredths = 0; // above 0 and below 100 %
};
std::vector<std::optional<qint64>> boundsFromBend(std::size_t grades, Bend bend);

// The bend's percentage as the editor's cells take a bound, a "%" behind it welcome; nothing
// where it is not above 0 and below 100 with two decimals at most.
std::optional<qint64> bendFromText(const QString& text, const QLocale& locale);

} // namespace keys
