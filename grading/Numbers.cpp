// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Numbers.h"

#include "grading/Decimal.h"
#include "grading/Scale.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace grading {

std::optional<double> readNumber(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool isNumeric(const QString& text, const QLocale& locale) {
    return readNumber(text, locale).has_value();
}

float roundToSingle(double value) {
    if (std::isnan(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    constexpr double largestSingle = std::numeric_limits<float>::max();
    // Halfway between the largest single and 2^128; ties round to even, which is infinity.
    constexpr double overflowBound = 0x1.ffffffp+127;
    const double magnitude = std::fabs(value);
    if (magnitude >= overflowBound) {
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    }
    if (magnitude > largestSingle) {
        return static_cast<float>(std::copysign(largestSingle, value));
    }
    return static_cast<float>(value);
}

double pointsInSingleRange(double value) {
    const float single = roundToSingle(value);
    if (std::isinf(single) || single == 0.0f) {
        return 0.0;
    }
    return value;
}

std::optional<double> errorsFromText(const QString& text, const QLocale& locale) {
    const std::optional<double> errors = readNumber(text, locale);
    if (!errors || !(*errors >= 0.0) || !isWholeOrHalf(*errors)) {
        return std::nullopt;
    }
    return *errors + 0.0; // "-0" is no error either
}

QString wordsText(qint64 words, const QLocale& locale) {
    return words == 1 ? QStringLiteral("%1 Wort").arg(countText(words, locale))
                      : QStringLiteral("%1 Wörter").arg(countText(words, locale));
}

std::optional<qint64> wordsFromText(const QString& text, const QLocale& locale) {
    const std::optional<double> words = readNumber(text, locale);
    // Below 2^53 every whole number is a double of its own, so none stands for a larger one.
    if (!words || !(*words >= 1.0 && *words < 0x1p53) || std::floor(*words) != *words) {
        return std::nullopt;
    }
    return static_cast<qint64>(*words);
}

qint64 halfErrorsOf(double errors) {
    return std::llround(std::min(errors, 0x1p61) * 2.0);
}

QString countText(qint64 count, const QLocale& locale) {
    return decimalText(count, 0, locale);
}

QString formatPercentage(float percentage, const QLocale& locale) {
    if (std::isnan(percentage)) {
        return QStringLiteral("n. def.");
    }
    if (std::isinf(percentage)) {
        const QString infinity(QChar(0x221E));
        return percentage < 0 ? locale.negativeSign() + infinity : infinity;
    }
    return decimalText(static_cast<double>(percentage), 1, locale);
}

} // namespace grading
