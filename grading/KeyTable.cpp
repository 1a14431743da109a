// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/KeyTable.h"

#include "grading/Calculation.h"
#include "grading/Decimal.h"
#include "grading/Numbers.h"
#include "grading/TaskSum.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace grading {

namespace {

// How many bounds the grade for `achieved` points has passed: grows with the points, which is
// what makes bisecting sound.
std::size_t rank(const GradingKey& key, double maximum, double achieved) {
    return key.grades.size() - 1 - gradeForPoints(key, maximum, achieved);
}

// The first step number up to `lastStep` whose points reach rank `wanted`, if any.
std::optional<double> firstStepReaching(const GradingKey& key, double maximum, double step,
                                        double lastStep, std::size_t wanted) {
    if (rank(key, maximum, lastStep * step) < wanted) {
        return std::nullopt;
    }
    // below never reaches the rank, above always does.
    double below = -1.0;
    double above = lastStep;
    while (above - below > 1.0) {
        const double middle = std::floor(below + (above - below) / 2.0);
        (rank(key, maximum, middle * step) >= wanted ? above : below) = middle;
    }
    return above;
}

} // namespace

std::optional<double> keyTableMaximum(const QString& maximumText, const QLocale& locale) {
    const std::optional<TypedPoints> typed = typedPoints(maximumText, locale);
    if (!typed || !everyTaskHasPoints(typed->tasks)) {
        return std::nullopt;
    }
    const double maximum = pointsInSingleRange(typed->value);
    if (!(maximum > 0.0)) {
        return std::nullopt;
    }
    return maximum;
}

OutOf outOfText(const QString& maximumText, const QLocale& locale) {
    return {keyTableMaximum(maximumText, locale), wordsFromText(maximumText, locale)};
}

bool hasWhatItNeeds(const GradingKey& key, const OutOf& outOf) {
    switch (key.scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return true;
    case Scale::ErrorsPer100Words:
        return outOf.words.has_value();
    }
    return outOf.maximum && *outOf.maximum > 0.0;
}

bool halvesAskedFor(const GradingKey& key, const OutOf& outOf) {
    switch (key.scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return std::any_of(key.grades.begin(), key.grades.end(), [](const Grade& grade) {
            return grade.bound && mostHalfErrors(Scale::Errors, *grade.bound, 0) % 2 != 0;
        });
    case Scale::ErrorsPer100Words:
        return false;
    }
    return outOf.maximum && endsInAHalf(*outOf.maximum);
}

std::optional<PasteTable> keyTableFor(const GradingKey& key, const OutOf& outOf, double step,
                                      const QLocale& locale) {
    if (!hasWhatItNeeds(key, outOf)) {
        return std::nullopt;
    }
    if (countsErrors(key.scale)) {
        const qint64 words = outOf.words.value_or(0);
        return errorPasteTable(key, words, errorTable(key, step, words), locale);
    }
    const auto rows = keyTable(key, *outOf.maximum, step);
    if (!rows) {
        return std::nullopt;
    }
    return keyPasteTable(key, *outOf.maximum, *rows, locale);
}

QString noTableReason(const GradingKey& key, const OutOf& outOf, double step) {
    if (!hasWhatItNeeds(key, outOf) || countsErrors(key.scale)) {
        return {};
    }
    return keyTable(key, *outOf.maximum, step) ? QString() : tooLargeToSplit(step);
}

double stepFor(const GradingKey& key, const OutOf& outOf, const ChosenStep& chosen) {
    const bool shownExam = key.scale == Scale::Errors ||
                           (key.scale == Scale::Points ? outOf.maximum == chosen.outOf.maximum
                                                       : outOf.words == chosen.outOf.words);
    const bool halves =
        key.scale == chosen.scale && shownExam ? chosen.step == 0.5 : halvesAskedFor(key, outOf);
    return halves ? 0.5 : 1.0;
}

bool endsInAHalf(double maximum) {
    return maximum - std::floor(maximum) == 0.5;
}

std::optional<std::vector<KeyTableRow>> keyTable(const GradingKey& key, double maximum,
                                                 double step) {
    const double lastStep = std::floor(maximum / step);
    if (lastStep > 0x1p53) {
        return std::nullopt;
    }
    const std::size_t ranks = key.grades.size() - 1;
    // firstSteps[r]: the first step number of rank r or above; none where no step has it.
    std::vector<std::optional<double>> firstSteps;
    for (std::size_t wanted = 0; wanted <= ranks; ++wanted) {
        firstSteps.push_back(firstStepReaching(key, maximum, step, lastStep, wanted));
    }
    std::vector<KeyTableRow> rows;
    for (std::size_t r = ranks + 1; r-- > 0;) {
        KeyTableRow row;
        row.grade = ranks - r;
        const std::optional<double> from = firstSteps[r];
        const std::optional<double> next = r < ranks ? firstSteps[r + 1] : std::nullopt;
        const double to = next ? *next - 1.0 : lastStep;
        if (from && *from <= to) {
            row.from = *from * step;
            row.to = to * step;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<KeyTableRow> errorTable(const GradingKey& key, double step, qint64 words) {
    const qint64 stepHalves = step == 0.5 ? 1 : 2;
    // A double holds every count of half errors up to 2^53 exactly, far past any real word count.
    auto errors = [](qint64 halves) {
        return static_cast<double>(halves) / 2.0;
    };
    std::vector<KeyTableRow> rows;
    qint64 fromHalves = 0;
    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        KeyTableRow row{grade, std::nullopt, std::nullopt};
        const std::optional<double>& bound = key.grades[grade].bound;
        if (!bound) {
            row.from = errors(fromHalves);
            rows.push_back(row);
            continue;
        }
        const qint64 toHalves = mostHalfErrors(key.scale, *bound, words) / stepHalves * stepHalves;
        if (fromHalves <= toHalves) {
            row.from = errors(fromHalves);
            row.to = errors(toHalves);
        }
        fromHalves = toHalves + stepHalves;
        rows.push_back(row);
    }
    return rows;
}

QString tooLargeToSplit(double step) {
    return QStringLiteral("Die Höchstpunktzahl ist zu groß, um sie in %1 Punkte aufzuteilen.")
        .arg(step == 0.5 ? QStringLiteral("halbe") : QStringLiteral("ganze"));
}

QString keyTableHeading(const GradingKey& key, double maximum, const QLocale& locale) {
    return QStringLiteral("Notenschlüssel für %1 Rohpunkte")
               .arg(decimalText(maximum, asFewDecimalsAsExact, locale)) +
           suffix(key);
}

QString errorTableHeading(const GradingKey& key, qint64 words, const QLocale& locale) {
    if (key.scale == Scale::ErrorsPer100Words) {
        return QStringLiteral("Notenschlüssel für %1").arg(wordsText(words, locale)) + suffix(key);
    }
    return QStringLiteral("Notenschlüssel nach Fehlern") + suffix(key);
}

namespace {

// `open` stands where a grade reached has no end.
PasteTable pasteTable(const QString& caption, const GradingKey& key, const QString& fromHeading,
                      const std::vector<KeyTableRow>& rows, const QString& open,
                      const QLocale& locale) {
    PasteTable table{caption, {{key.gradeHeading, fromHeading, QStringLiteral("bis")}}};
    const QString unreachable(QChar(0x2013));
    for (const KeyTableRow& row : rows) {
        table.rows.push_back(
            {key.grades[row.grade].text,
             row.from ? decimalText(*row.from, asFewDecimalsAsExact, locale) : unreachable,
             row.to     ? decimalText(*row.to, asFewDecimalsAsExact, locale)
             : row.from ? open
                        : unreachable});
    }
    return table;
}

} // namespace

PasteTable keyPasteTable(const GradingKey& key, double maximum,
                         const std::vector<KeyTableRow>& rows, const QLocale& locale) {
    return pasteTable(keyTableHeading(key, maximum, locale), key, QStringLiteral("ab"), rows,
                      QString(QChar(0x2013)), locale);
}

PasteTable errorPasteTable(const GradingKey& key, qint64 words,
                           const std::vector<KeyTableRow>& rows, const QLocale& locale) {
    return pasteTable(errorTableHeading(key, words, locale), key, QStringLiteral("von"), rows,
                      QString(), locale);
}

} // namespace grading
