// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/Bend.h"

#include "grading/Decimal.h"
#include "keys/KeyForm.h"

#include <QLocale>

namespace keys {

namespace {

constexpr qint64 hundredPercent = 100 * 100; // in hundredths

// part × steps ÷ of, in whole hundredths, halves up.
qint64 share(qint64 part, std::size_t steps, std::size_t of) {
    return static_cast<qint64>(
        grading::roundedUnits(grading::Wide{part} * static_cast<qint64>(steps),
                              static_cast<qint64>(of), 0, grading::Rounding::HalvesAwayFromZero));
}

} // namespace

std::vector<std::optional<qint64>> boundsFromBend(std::size_t grades, Bend bend) {
    std::vector<std::optional<qint64>> bounds(grades);
    if (bend.grade + 1 >= grades) {
        return bounds;
    }
    const std::size_t above = bend.grade;
    for (std::size_t grade = 0; grade < above; ++grade) {
        bounds[grade] =
            bend.hundredths + share(hundredPercent - bend.hundredths, above - grade, above + 1);
    }
    bounds[bend.grade] = bend.hundredths;
    const std::size_t below = grades - 1 - bend.grade; // the last included
    for (std::size_t step = 1; step < below; ++step) {
        bounds[bend.grade + step] = share(bend.hundredths, below - step, below);
    }
    return bounds;
}

std::optional<qint64> bendFromText(const QString& text, const QLocale& locale) {
    const std::optional<qint64> hundredths = hundredthsFromLocale(text, locale, true);
    if (!hundredths || *hundredths <= 0 || *hundredths >= hundredPercent) {
        return std::nullopt;
    }
    return hundredths;
}

} // namespace keys
