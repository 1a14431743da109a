// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Calculation.h"

#include "grading/GradingWindow.h"
#include "grading/NotenSpeicher.h"
#include "grading/Numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace grading {

namespace {

// Parsing each input, the division and the multiplication each round once by at most half a unit
// in the last place; 2^-49 relative leaves a wide margin over those four roundings, and a result
// that truly lies that close below a bound needs some fifteen significant digits of input.
constexpr double thresholdTolerance = 0x1p-49;

bool validate(GradingWindow& window, const QLocale& locale) {
    for (Field field : {Field::Rohpunkte, Field::Prozent, Field::Punkte}) {
        if (isNumeric(window.text(field), locale)) {
            window.setBackground(field, validBackground);
            continue;
        }
        window.setBackground(field, invalidBackground);
        window.showMessage(QStringLiteral("Eingabefehler! Bitte nur Zahlen eingeben!"),
                           QStringLiteral("Fehler!"), MessageIcon::Error);
        window.setFocus(field);
        return false;
    }
    return true;
}

double points(const GradingWindow& window, Field field, const QLocale& locale) {
    return pointsInSingleRange(readNumber(window.text(field), locale).value_or(0.0));
}

} // namespace

double percentageOf(double maximum, double achieved) {
    if (maximum == 0.0) {
        if (achieved > 0.0) {
            return std::numeric_limits<double>::infinity();
        }
        if (achieved < 0.0) {
            return -std::numeric_limits<double>::infinity();
        }
        return std::numeric_limits<double>::quiet_NaN();
    }
    return (100.0 / maximum) * achieved;
}

std::size_t gradeForExactPercentage(const GradingKey& key, double percentage) {
    for (const Grade& grade : key.grades) {
        if (grade.from && std::fabs(percentage - *grade.from) <= *grade.from * thresholdTolerance) {
            return gradeForPercentage(key, *grade.from);
        }
    }
    return gradeForPercentage(key, percentage);
}

std::size_t gradeForPoints(const GradingKey& key, double maximum, double achieved) {
    return gradeForExactPercentage(
        key, percentageOf(pointsInSingleRange(maximum), pointsInSingleRange(achieved)));
}

bool calculate(GradingWindow& window, NotenSpeicher& memory, const Keys& keys,
               const QLocale& locale) {
    if (!validate(window, locale)) {
        return false;
    }
    const double maximum = points(window, Field::Rohpunkte, locale);
    const double achieved = points(window, Field::Punkte, locale);
    const Key& key = keys.fromText(window.text(Field::Schluessel));

    const double percentage = percentageOf(maximum, achieved);
    const QString percentageText = formatPercentage(roundToSingle(percentage), locale);
    window.setText(Field::ErgebnisProzent, percentageText);

    const std::size_t grade = gradeForExactPercentage(*key, percentage);
    window.setText(Field::ErgebnisNote, key->grades[grade].text);

    memory.append(percentageText, key, grade);
    return true;
}

} // namespace grading
