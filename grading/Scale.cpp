// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Scale.h"

#include <cmath>

namespace grading {

QString scaleName(Scale scale) {
    switch (scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return QStringLiteral("Fehler");
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
    return scale == Scale::Errors ? QStringLiteral("bis Fehler") : QStringLiteral("ab %");
}

qint64 halfErrorsOfBound(double bound) {
    return std::llround(bound * 2.0);
}

} // namespace grading
