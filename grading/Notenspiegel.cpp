// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Notenspiegel.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
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

} // namespace

void Notenspiegel::add(GradingKey key, qint16 grade) {
    Tally& tally = m_tallies[indexOf(key)];
    const auto slot = static_cast<std::size_t>(std::clamp<qint16>(grade, 0, 15));
    ++tally.counts[slot];
    ++tally.results;
    tally.gradeSum += grade;
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
        summary.average = static_cast<double>(tally.gradeSum) / static_cast<double>(tally.results);
        for (qint16 grade : gradesBestFirst(key)) {
            const qint64 count = tally.counts[static_cast<std::size_t>(grade)];
            summary.counts.emplace_back(grade, count);
            if (isWeak(key, grade)) {
                summary.weak += count;
            }
        }
        summary.weakPercent = static_cast<int>(std::lround(
            100.0 * static_cast<double>(summary.weak) / static_cast<double>(tally.results)));
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

QString averageText(double average, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(average, 'f', 2);
}

QString percentText(int percent, const QLocale& locale) {
    return locale.toString(percent) + QStringLiteral(" %");
}

QString tabSeparated(const std::vector<Notenspiegel::Summary>& summaries, const QLocale& locale) {
    QStringList blocks;
    for (const Notenspiegel::Summary& summary : summaries) {
        QStringList grades{gradeHeading(summary.key)};
        QStringList counts{QStringLiteral("Anzahl")};
        for (const auto& [grade, count] : summary.counts) {
            grades << gradeText(summary.key, grade, locale);
            counts << locale.toString(count);
        }
        const QStringList rows{QStringLiteral("Notenspiegel") + suffix(summary.key),
                               grades.join(u'\t'),
                               counts.join(u'\t'),
                               QStringLiteral("Ergebnisse\t") + locale.toString(summary.results),
                               averageHeading(summary.key) + u'\t' +
                                   averageText(summary.average, locale),
                               weakHeading(summary.key) + u'\t' + locale.toString(summary.weak) +
                                   u'\t' + percentText(summary.weakPercent, locale)};
        blocks << rows.join(u'\n');
    }
    return blocks.isEmpty() ? QString() : blocks.join(QStringLiteral("\n\n")) + u'\n';
}

} // namespace grading
