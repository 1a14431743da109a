// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Notenspiegel.h"

#include "grading/Numbers.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace grading {

namespace {

std::size_t indexOf(GradingKey key) {
    return key == GradingKey::IHK ? 1 : 0;
}

bool isWeak(GradingKey key, qint16 grade) {
    return key == GradingKey::IHK ? grade >= 5 : grade < 5;
}

// Every grade the key gives, from the one for the best percentage to the one for the worst.
std::vector<qint16> gradesBestFirst(GradingKey key) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const qint16 best = gradeForPercentage(key, infinity);
    const qint16 worst = gradeForPercentage(key, -infinity);
    const qint16 step = best > worst ? -1 : 1;
    std::vector<qint16> grades;
    for (qint16 grade = best; grade != worst + step; grade = static_cast<qint16>(grade + step)) {
        grades.push_back(grade);
    }
    return grades;
}

// numerator / denominator to the nearest whole number, halves away from zero, in integers.
qint64 roundedQuotient(qint64 numerator, qint64 denominator) {
    const qint64 magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

QString withDecimals(qint64 scaled, int decimals, const QLocale& locale) {
    // The nearest double to a whole number of hundredths formats back to exactly those digits.
    return ungrouped(locale).toString(static_cast<double>(scaled) / std::pow(10.0, decimals), 'f',
                                      decimals);
}

} // namespace

void Notenspiegel::add(GradingKey key, qint16 grade) {
    count(key, grade, 1);
}

void Notenspiegel::remove(GradingKey key, qint16 grade) {
    count(key, grade, -1);
}

void Notenspiegel::count(GradingKey key, qint16 grade, int times) {
    Tally& tally = m_tallies[indexOf(key)];
    const auto slot = static_cast<std::size_t>(std::clamp<qint16>(grade, 0, 15));
    tally.counts[slot] += times;
    tally.results += times;
    tally.gradeSum += grade * times;
}

void Notenspiegel::clear() {
    m_tallies = {};
}

std::vector<Notenspiegel::Summary> Notenspiegel::summaries() const {
    std::vector<Summary> summaries;
    for (GradingKey key : {GradingKey::GYM, GradingKey::IHK}) {
        const Tally& tally = m_tallies[indexOf(key)];
        if (tally.results == 0) {
            continue;
        }
        Summary summary;
        summary.key = key;
        summary.results = tally.results;
        summary.gradeSum = tally.gradeSum;
        for (qint16 grade : gradesBestFirst(key)) {
            const qint64 count = tally.counts[static_cast<std::size_t>(grade)];
            summary.counts.emplace_back(grade, count);
            if (isWeak(key, grade)) {
                summary.weak += count;
            }
        }
        summaries.push_back(summary);
    }
    return summaries;
}

QString gradeHeading(GradingKey key) {
    return key == GradingKey::IHK ? QStringLiteral("Note") : QStringLiteral("Punkte");
}

QString averageHeading(GradingKey key) {
    return key == GradingKey::IHK ? QStringLiteral("Durchschnittsnote")
                                  : QStringLiteral("Durchschnitt (Punkte)");
}

QString weakHeading(GradingKey key) {
    return key == GradingKey::IHK ? QStringLiteral("Noten 5 und 6")
                                  : QStringLiteral("unter 05 Punkten");
}

QString averageText(const Notenspiegel::Summary& summary, const QLocale& locale) {
    return withDecimals(roundedQuotient(100 * summary.gradeSum, summary.results), 2, locale);
}

QString weakShareText(const Notenspiegel::Summary& summary, const QLocale& locale) {
    const qint64 share = 100 * summary.weak;
    if (share % summary.results == 0) {
        return countText(share / summary.results, locale) + QStringLiteral(" %");
    }
    const qint64 tenths = std::clamp<qint64>(roundedQuotient(10 * share, summary.results), 1, 999);
    return withDecimals(tenths, 1, locale) + QStringLiteral(" %");
}

std::vector<PasteTable> pasteTables(const std::vector<Notenspiegel::Summary>& summaries,
                                    const QLocale& locale) {
    std::vector<PasteTable> tables;
    for (const Notenspiegel::Summary& summary : summaries) {
        QStringList grades{gradeHeading(summary.key)};
        QStringList counts{QStringLiteral("Anzahl")};
        for (const auto& [grade, count] : summary.counts) {
            grades << gradeText(summary.key, grade, locale);
            counts << countText(count, locale);
        }
        tables.push_back({QStringLiteral("Notenspiegel") + suffix(summary.key),
                          {grades,
                           counts,
                           {QStringLiteral("Ergebnisse"), countText(summary.results, locale)},
                           {averageHeading(summary.key), averageText(summary, locale)},
                           {weakHeading(summary.key), countText(summary.weak, locale),
                            weakShareText(summary, locale)}}});
    }
    return tables;
}

} // namespace grading
