// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Notenspiegel.h"

#include "grading/Decimal.h"
#include "grading/Numbers.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace grading {

namespace {

// GYM and IHK keep their tables first whatever came first; every other key follows in turn.
int rank(const GradingKey& key) {
    if (key.name == gymName()) {
        return 0;
    }
    return key.name == ihkName() ? 1 : 2;
}

// numerator / denominator in units of the `decimals`-th decimal, halves away from zero.
qint64 rounded(qint64 numerator, qint64 denominator, int decimals = 0) {
    return static_cast<qint64>(
        roundedUnits(numerator, denominator, decimals, Rounding::HalvesAwayFromZero));
}

// The weak share in percent beside the key's approval limit: where the share is the limit, as any
// share is written; otherwise with the fewest decimals, one at the least, whose figure stands on
// the share's side of the limit, so that „33,33 %“ never reads as the limit „mehr als 33,3 %“,
// and is neither 0 for some nor the whole for not all.
QString shareBesideLimit(qint64 weak, qint64 results, const ApprovalLimit& limit,
                         const QLocale& locale) {
    // The share weak / results against numerator / denominator, by their sign.
    auto side = [&](Wide share, Wide of) {
        const Wide left = share * limit.denominator;
        const Wide right = Wide{limit.numerator} * of;
        return (left > right) - (left < right);
    };
    const int shareSide = side(weak, results);
    if (shareSide == 0 || (100 * weak) % results == 0) {
        return shareText(weak, results, locale);
    }
    constexpr int mostDecimals = 16;
    Wide percentUnits = 100; // the whole, in units of the last decimal
    qint64 figure = 0;
    int decimals = 1;
    for (; decimals <= mostDecimals; ++decimals) {
        percentUnits *= 10;
        figure = static_cast<qint64>(
            roundedUnits(Wide{weak} * 100, results, decimals, Rounding::HalvesAwayFromZero));
        // Never "0" for some nor the whole for not all, as any share.
        if (side(figure, percentUnits) == shareSide && figure > 0 && figure < percentUnits) {
            break;
        }
    }
    return decimalText(figure, std::min(decimals, mostDecimals), locale) + QStringLiteral(" %");
}

} // namespace

void Notenspiegel::add(const Key& key, std::size_t grade) {
    Tally& tally = count(key, grade, 1);
    tally.lastGraded = ++m_graded;
    // The key as last graded under: its bounds may have moved since, and its key table on the
    // sheet is the one that stands now.
    tally.key = key;
}

void Notenspiegel::putBack(const Key& key, std::size_t grade) {
    count(key, grade, 1);
}

void Notenspiegel::remove(const Key& key, std::size_t grade) {
    count(key, grade, -1);
}

Notenspiegel::Tally& Notenspiegel::count(const Key& key, std::size_t grade, int times) {
    auto tally = std::find_if(m_tallies.begin(), m_tallies.end(),
                              [&](const Tally& t) { return sameIdentity(*t.key, *key); });
    if (tally == m_tallies.end()) {
        auto sameName = [&](const Tally& t) {
            return t.key->name == key->name;
        };
        const auto older = std::find_if(m_tallies.rbegin(), m_tallies.rend(), sameName);
        const auto place =
            older != m_tallies.rend()
                ? older.base()
                : std::find_if(m_tallies.begin(), m_tallies.end(),
                               [&](const Tally& t) { return rank(*t.key) > rank(*key); });
        const int version = older != m_tallies.rend() ? older->version + 1 : 1;
        tally = m_tallies.insert(
            place, Tally{key, version, 0, std::vector<qint64>(key->grades.size()), 0, 0});
    }
    tally->counts[grade] += times;
    tally->results += times;
    tally->valueSum += key->grades[grade].value * times;
    return *tally;
}

void Notenspiegel::clear() {
    m_tallies.clear();
}

std::vector<Notenspiegel::Summary> Notenspiegel::summaries() const {
    std::vector<Summary> summaries;
    for (const Tally& tally : m_tallies) {
        if (tally.results == 0) {
            continue;
        }
        // Only another version graded under later moves this one's table to a numbered heading.
        const bool newerShown =
            std::any_of(m_tallies.begin(), m_tallies.end(), [&](const Tally& t) {
                return t.key->name == tally.key->name && t.lastGraded > tally.lastGraded &&
                       t.results > 0;
            });
        Summary summary{tally.key,
                        {},
                        newerShown ? std::optional(tally.version) : std::nullopt,
                        tally.counts,
                        tally.results,
                        tally.valueSum,
                        {}};
        summary.caption = QStringLiteral("Notenspiegel (%1)").arg(versionedName(summary));
        if (const auto firstWeak = tally.key->firstWeak) {
            summary.weak =
                std::accumulate(tally.counts.begin() + static_cast<std::ptrdiff_t>(*firstWeak),
                                tally.counts.end(), qint64{0});
        }
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

QString versionedName(const Notenspiegel::Summary& summary) {
    return summary.version
               ? QStringLiteral("%1, Fassung %2").arg(summary.key->name).arg(*summary.version)
               : summary.key->name;
}

QString averageText(const Notenspiegel::Summary& summary, const QLocale& locale) {
    return decimalText(rounded(summary.valueSum, summary.results), 2, locale);
}

QString shareText(qint64 part, qint64 results, const QLocale& locale) {
    const qint64 share = 100 * part;
    if (share % results == 0) {
        return countText(share / results, locale) + QStringLiteral(" %");
    }
    const qint64 tenths = std::clamp<qint64>(rounded(share, results, 1), 1, 999);
    return decimalText(tenths, 1, locale) + QStringLiteral(" %");
}

QString weakShareText(const Notenspiegel::Summary& summary, const QLocale& locale) {
    Q_ASSERT(summary.weak);
    if (const auto& limit = summary.key->approval) {
        return shareBesideLimit(summary.weak.value_or(0), summary.results, *limit, locale);
    }
    return shareText(summary.weak.value_or(0), summary.results, locale);
}

QString medianText(const Notenspiegel::Summary& summary, const QLocale& locale) {
    const GradingKey& key = *summary.key;
    std::vector<std::pair<qint64, qint64>> byValue; // value, count
    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        byValue.emplace_back(key.grades[grade].value, summary.counts[grade]);
    }
    std::sort(byValue.begin(), byValue.end());
    // The values at the places (n - 1) / 2 and n / 2, counted from 0.
    auto at = [&](qint64 place) {
        for (const auto& [value, count] : byValue) {
            if (place < count) {
                return value;
            }
            place -= count;
        }
        return byValue.back().first;
    };
    const qint64 middle = at((summary.results - 1) / 2) + at(summary.results / 2);
    return decimalText(rounded(middle, 2), 2, locale);
}

std::optional<bool> approvalNeeded(const Notenspiegel::Summary& summary) {
    const GradingKey& key = *summary.key;
    if (!key.approval || !summary.weak || summary.results == 0) {
        return std::nullopt;
    }
    return key.approval->reached(*summary.weak, summary.results);
}

QString approvalSentence(const Notenspiegel::Summary& summary, const QLocale& locale) {
    const std::optional<bool> needed = approvalNeeded(summary);
    if (!needed) {
        return {};
    }
    return QStringLiteral("%1: %2 von %3 schwach (%4), Grenze: %5.")
        .arg(*needed ? QStringLiteral("Genehmigung nötig")
                     : QStringLiteral("Keine Genehmigung nötig"),
             countText(*summary.weak, locale), countText(summary.results, locale),
             weakShareText(summary, locale), summary.key->approval->wording(locale));
}

PasteTable countTable(const Notenspiegel::Summary& summary, const QLocale& locale) {
    const GradingKey& key = *summary.key;
    QStringList grades{key.gradeHeading};
    QStringList counts{QStringLiteral("Anzahl")};
    QStringList shares{QStringLiteral("Anteil")};
    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        grades << key.grades[grade].text;
        counts << countText(summary.counts[grade], locale);
        shares << (summary.results > 0 ? shareText(summary.counts[grade], summary.results, locale)
                                       : QString());
    }
    return {{}, {grades, counts, shares}};
}

std::vector<PasteTable> pasteTables(const std::vector<Notenspiegel::Summary>& summaries,
                                    const QLocale& locale) {
    std::vector<PasteTable> tables;
    for (const Notenspiegel::Summary& summary : summaries) {
        const GradingKey& key = *summary.key;
        PasteTable table = countTable(summary, locale);
        table.caption = summary.caption;
        table.rows.push_back({QStringLiteral("Ergebnisse"), countText(summary.results, locale)});
        table.rows.push_back({key.averageHeading, averageText(summary, locale)});
        table.rows.push_back({QStringLiteral("Median"), medianText(summary, locale)});
        if (summary.weak) {
            table.rows.push_back({key.weakHeading, countText(*summary.weak, locale),
                                  weakShareText(summary, locale)});
        }
        if (const QString approval = approvalSentence(summary, locale); !approval.isEmpty()) {
            table.rows.push_back({approval});
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

} // namespace grading
