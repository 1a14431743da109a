// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Calculation.h"

#include "grading/Decimal.h"
#include "grading/GradingWindow.h"
#include "grading/MessageTitle.h"
#include "grading/NotenSpeicher.h"
#include "grading/Numbers.h"
#include "grading/TaskSum.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace grading {

namespace {

// Parsing each input, the division and the multiplication each round once by at most half a unit
// in the last place; 2^-49 relative leaves a wide margin over those four roundings, and a result
// that truly lies that close below a bound needs some fifteen significant digits of input.
constexpr double thresholdTolerance = 0x1p-49;

// A field that a calculation reads, and the box's text where it holds nothing the calculation can
// take.
struct Input {
    Field field;
    bool (*valid)(const QString& text, const QLocale& locale);
    QString refused;
};

// The focus stays in the refused field, so that the correction replaces what was typed.
void refuse(GradingWindow& window, Field field, const QString& why) {
    window.setBackground(field, invalidBackground);
    window.showMessage(why, messageTitle(MessageTitle::InputError), MessageIcon::Error);
    window.setFocus(field);
}

// The inputs one after the other; the first refused turns yellow and takes the focus, the ones
// after it keep their colour.
bool validate(GradingWindow& window, std::initializer_list<Input> inputs, const QLocale& locale) {
    for (const Input& input : inputs) {
        if (!input.valid(window.text(input.field), locale)) {
            refuse(window, input.field, input.refused);
            return false;
        }
        window.setBackground(input.field, validBackground);
    }
    return true;
}

bool isPointsOrSum(const QString& text, const QLocale& locale) {
    return typedPoints(text, locale).has_value();
}

bool isErrorCount(const QString& text, const QLocale& locale) {
    return errorsFromText(text, locale).has_value();
}

bool isWordCount(const QString& text, const QLocale& locale) {
    return wordsFromText(text, locale).has_value();
}

const QString wholeOrHalfErrors =
    QStringLiteral("Eingabefehler! Bitte die Fehler in ganzen oder halben Zahlen eingeben!");

// The errors per 100 words with two decimals, rounded up: a quotient that passes a bound by a hair
// never reads as the bound itself.
QString quotientText(double errors, qint64 words, const QLocale& locale) {
    const Wide hundredths = errorsPer100Words(halfErrorsOf(errors), words);
    if (hundredths > std::numeric_limits<qint64>::max() / 4) {
        return decimalText(errors * 100.0 / static_cast<double>(words), 2, locale, Rounding::Up);
    }
    return decimalText(static_cast<qint64>(hundredths), 2, locale);
}

QString pointsText(qint32 hundredths, const QLocale& locale) {
    return hundredths == 100 ? QStringLiteral("1 Punkt")
                             : taskPointsText(hundredths, locale) + QStringLiteral(" Punkte");
}

// Where both fields hold sums, the points task by task against the tasks' maxima; the first
// mismatch refused in the points field.
bool tasksFit(GradingWindow& window, const TaskPoints& maxima, const TaskPoints& points,
              const QLocale& locale) {
    if (points.size() != maxima.size()) {
        refuse(window, Field::Punkte,
               QStringLiteral("Eingabefehler! Die Arbeit hat %1 Aufgaben, eingegeben sind %2 "
                              "Punktzahlen.")
                   .arg(countText(static_cast<qint64>(maxima.size()), locale),
                        countText(static_cast<qint64>(points.size()), locale)));
        return false;
    }
    for (std::size_t task = 0; task < maxima.size(); ++task) {
        if (points[task] > maxima[task]) {
            refuse(window, Field::Punkte,
                   QStringLiteral("Eingabefehler! Aufgabe %1 hat %2, eingegeben sind %3.")
                       .arg(countText(static_cast<qint64>(task + 1), locale),
                            pointsText(maxima[task], locale),
                            taskPointsText(points[task], locale)));
            return false;
        }
    }
    return true;
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
        if (grade.bound &&
            std::fabs(percentage - *grade.bound) <= *grade.bound * thresholdTolerance) {
            return gradeForPercentage(key, *grade.bound);
        }
    }
    return gradeForPercentage(key, percentage);
}

std::size_t gradeForPoints(const GradingKey& key, double maximum, double achieved) {
    return gradeForExactPercentage(
        key, percentageOf(pointsInSingleRange(maximum), pointsInSingleRange(achieved)));
}

namespace {

bool calculatePoints(GradingWindow& window, NotenSpeicher& memory, const Key& key,
                     const QLocale& locale) {
    const QString numbersOnly = QStringLiteral("Eingabefehler! Bitte nur Zahlen eingeben!");
    if (!validate(window, {{Field::Rohpunkte, isPointsOrSum, numbersOnly}}, locale)) {
        return false;
    }
    const TypedPoints typedMaximum = *typedPoints(window.text(Field::Rohpunkte), locale);
    const TaskPoints& maxima = typedMaximum.tasks;
    if (!everyTaskHasPoints(maxima)) {
        refuse(window, Field::Rohpunkte,
               QStringLiteral("Eingabefehler! Jede Aufgabe braucht mehr als 0 Punkte."));
        return false;
    }
    if (!validate(
            window,
            {{Field::Prozent, isNumeric, numbersOnly}, {Field::Punkte, isPointsOrSum, numbersOnly}},
            locale)) {
        return false;
    }
    TypedPoints typedAchieved = *typedPoints(window.text(Field::Punkte), locale);
    TaskPoints points = std::move(typedAchieved.tasks);
    if (!maxima.empty() && !points.empty() && !tasksFit(window, maxima, points, locale)) {
        return false;
    }
    if (maxima.empty()) {
        points.clear(); // added up for the teacher, but no tasks to hold them against
    }
    const double maximum = pointsInSingleRange(typedMaximum.value);
    const double achieved = pointsInSingleRange(typedAchieved.value);

    const QString taskPointsNote = taskSumText(points, locale);
    const Score score{{maximum, {}}, achieved, maxima, std::move(points)};
    const QString percentageText = resultFigure(score, locale);
    window.setText(Field::ErgebnisProzent, percentageText);

    const std::size_t grade = gradeForExactPercentage(*key, percentageOf(maximum, achieved));
    window.setText(Field::ErgebnisNote, key->grades[grade].text);

    memory.append(percentageText + QLatin1String(" %"), key, grade, score, taskPointsNote);
    return true;
}

bool calculateErrors(GradingWindow& window, NotenSpeicher& memory, const Key& key,
                     const QLocale& locale) {
    if (!validate(window, {{Field::Punkte, isErrorCount, wholeOrHalfErrors}}, locale)) {
        return false;
    }
    const double errors = *errorsFromText(window.text(Field::Punkte), locale);
    window.setText(Field::ErgebnisProzent, QString());
    const std::size_t grade = gradeForHalfErrors(*key, halfErrorsOf(errors));
    window.setText(Field::ErgebnisNote, key->grades[grade].text);
    memory.append(decimalText(errors, asFewDecimalsAsExact, locale) + QLatin1String(" Fehler"), key,
                  grade, {{}, errors, {}, {}});
    return true;
}

bool calculateQuotient(GradingWindow& window, NotenSpeicher& memory, const Key& key,
                       const QLocale& locale) {
    if (!validate(window,
                  {{Field::Rohpunkte, isWordCount,
                    QStringLiteral("Eingabefehler! Bitte die Zahl der Wörter als ganze Zahl ab 1 "
                                   "eingeben!")},
                   {Field::Punkte, isErrorCount, wholeOrHalfErrors}},
                  locale)) {
        return false;
    }
    const qint64 words = *wordsFromText(window.text(Field::Rohpunkte), locale);
    const double errors = *errorsFromText(window.text(Field::Punkte), locale);
    const Score score{{{}, words}, errors, {}, {}};
    const QString quotient = resultFigure(score, locale);
    window.setText(Field::ErgebnisProzent, quotient);
    const std::size_t grade = gradeForHalfErrors(*key, halfErrorsOf(errors), words);
    window.setText(Field::ErgebnisNote, key->grades[grade].text);
    memory.append(QStringLiteral("%1 Fehler / %2 = %3")
                      .arg(decimalText(errors, asFewDecimalsAsExact, locale),
                           wordsText(words, locale), quotient),
                  key, grade, score);
    return true;
}

} // namespace

std::optional<QString> fieldCaption(Scale scale, Field field) {
    if (countsErrors(scale) && field == Field::Punkte) {
        return QStringLiteral("Fehler");
    }
    if (scale == Scale::ErrorsPer100Words && field == Field::Rohpunkte) {
        return QStringLiteral("Wörter");
    }
    if (scale == Scale::ErrorsPer100Words && field == Field::ErgebnisProzent) {
        return QStringLiteral("Fehler je 100 Wörter");
    }
    return std::nullopt;
}

QString fieldDescription(Scale scale, Field field) {
    const bool points = scale == Scale::Points;
    switch (field) {
    case Field::Rohpunkte:
        return points ? QStringLiteral("Höchstpunktzahl, auch als Summe der Aufgaben wie 10+8+12+6")
                      : QString();
    case Field::Punkte:
        return points ? QStringLiteral("erreichte Punkte, auch als Summe der Aufgaben wie 8+5+12+3")
                      : QString();
    case Field::ErgebnisProzent:
    case Field::ErgebnisNote:
        return QStringLiteral("Ergebnis der Berechnung");
    case Field::Prozent:
    case Field::Schluessel:
        break;
    }
    return {};
}

QString fieldTakes(Scale scale, Field field) {
    const QString unused = QStringLiteral("Wird bei diesem Schlüssel nicht gebraucht.");
    switch (field) {
    case Field::Rohpunkte:
        return scale == Scale::Points ? QStringLiteral("Höchstpunktzahl der Arbeit, etwa 40, oder "
                                                       "die Aufgaben als Summe wie 10+8+12+6")
               : scale == Scale::ErrorsPer100Words
                   ? QStringLiteral("Zahl der Wörter des Textes, eine ganze Zahl ab 1")
                   : unused;
    case Field::Punkte:
        return scale == Scale::Points
                   ? QStringLiteral("Erreichte Punkte, etwa 31 oder 12,5, oder die Aufgaben als "
                                    "Summe wie 8+5+12+3")
                   : QStringLiteral("Zahl der Fehler, ganz oder halb, etwa 3 oder 2,5");
    case Field::Prozent:
        return scale == Scale::Points ? QStringLiteral("Muss eine Zahl sein; gerechnet wird stets "
                                                       "mit 100 % der Höchstpunktzahl.")
                                      : unused;
    case Field::Schluessel:
        return QStringLiteral("GYM (0 bis 15 Punkte), IHK (Noten 1 bis 6) oder ein eigener "
                              "Schlüssel: tippen oder aus der Liste wählen");
    case Field::ErgebnisProzent:
    case Field::ErgebnisNote:
        break;
    }
    return {};
}

QString resultFigure(const Score& score, const QLocale& locale) {
    if (score.outOf.words) {
        return quotientText(score.achieved, *score.outOf.words, locale);
    }
    if (score.outOf.maximum) {
        return formatPercentage(roundToSingle(percentageOf(*score.outOf.maximum, score.achieved)),
                                locale);
    }
    return {};
}

bool showsResultFigure(Scale scale) {
    return scale != Scale::Errors;
}

bool calculate(GradingWindow& window, NotenSpeicher& memory, const Keys& keys,
               const QLocale& locale) {
    // Its own hold on the key: showing a result may run the event loop, where the keys are read
    // anew.
    const Key key = keys.fromText(window.text(Field::Schluessel));
    switch (key->scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return calculateErrors(window, memory, key, locale);
    case Scale::ErrorsPer100Words:
        return calculateQuotient(window, memory, key, locale);
    }
    return calculatePoints(window, memory, key, locale);
}

} // namespace grading
