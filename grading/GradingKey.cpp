// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/GradingKey.h"

#include <QLocale>
#include <array>

namespace grading {

namespace {

constexpr std::array<float, 15> gymThresholds{20.0f, 28.0f, 34.0f, 40.0f, 45.0f,
                                              50.0f, 55.0f, 60.0f, 65.0f, 70.0f,
                                              75.0f, 80.0f, 85.0f, 90.0f, 95.0f};
constexpr std::array<float, 5> ihkThresholds{30.0f, 50.0f, 67.0f, 81.0f, 92.0f};

// Counts the thresholds passed before the first failing test. Written as `!(p >= t)` on purpose:
// NaN fails every comparison and so stops at the first threshold.
qint16 thresholdsPassed(std::span<const float> bounds, double percentage) {
    qint16 passed = 0;
    for (float threshold : bounds) {
        if (!(percentage >= threshold)) {
            break;
        }
        ++passed;
    }
    return passed;
}

} // namespace

GradingKey keyFromText(const QString& keyText) {
    return keyText == QLatin1String("IHK") ? GradingKey::IHK : GradingKey::GYM;
}

std::span<const float> thresholds(GradingKey key) {
    if (key == GradingKey::IHK) {
        return ihkThresholds;
    }
    return gymThresholds;
}

qint16 gradeForPercentage(GradingKey key, double percentage) {
    const qint16 passed = thresholdsPassed(thresholds(key), percentage);
    return key == GradingKey::IHK ? static_cast<qint16>(6 - passed) : passed;
}

QString gradeText(GradingKey key, qint16 grade, const QLocale& locale) {
    QString text = locale.toString(grade);
    if (key == GradingKey::GYM && grade >= 0 && grade < 10) {
        text.prepend(locale.zeroDigit());
    }
    return text;
}

QString suffix(GradingKey key) {
    return key == GradingKey::IHK ? QStringLiteral(" (IHK)") : QStringLiteral(" (GYM)");
}

} // namespace grading
