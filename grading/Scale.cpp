// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace grading {

bool countsErrors(Scale scale) {
    return scale != Scale::Points;
}

bool isWholeOrHalf(double errors) {
    return std::floor(errors * 2.0) == errors * 2.0;
}

QString scaleName(Scale scale) {
    switch (scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return QStringLiteral("Fehler");
    case Scale::ErrorsPer100Words:
        return QStringLiteral("Fehler je 100 Wörter");
    }
    return QStringLiteral("Punkte");
}

std::optional<Scale> scaleNamed(const QString& name) {
    for (Scale scale : allScales) {
        if (scaleName(scale) == name) {
            return scale;
        }
    }
    return std::nullopt;
}

QString boundHeading(Scale scale) {
    switch (scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return QStringLiteral("bis Fehler");
    case Scale::ErrorsPer100Words:
        return QStringLiteral("bis Fehler je 100");
    }
    return QStringLiteral("ab %");
}

Wide errorsPer100Words(qint64 halfErrors, qint64 words) {
    // errors × 100 ÷ words × 100 = half errors × 5000 ÷ words
    return roundedUnits(Wide{halfErrors} * 5000, words, 0, Rounding::Up);
}

qint64 mostHalfErrors(Scale scale, double bound, qint64 words) {
    if (scale != Scale::ErrorsPer100Words) {
        return std::llround(bound * 2.0);
    }
    // h half errors in w words keep h × 100 ÷ (2 × w) ≤ b ÷ 100, b in hundredths, while
    // h × 5000 ≤ b × w; b × w outgrows 64 bits for the largest word counts.
    const Wide most = Wide{std::llround(bound * 100.0)} * words / 5000;
    return static_cast<qint64>(std::min<Wide>(most, std::numeric_limits<qint64>::max()));
}

} // namespace grading
