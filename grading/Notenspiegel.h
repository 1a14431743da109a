// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/PasteTable.h"

#include <QString>
#include <vector>

class QLocale;

namespace grading {

// How many results of the session earned each grade, per key: what goes on the test and into
// the class book. Kept up to date entry by entry, so it costs the same however long the
// session runs.
class Notenspiegel {
public:
    void add(const Key& key, std::size_t grade);
    // Takes back one result that `add` counted.
    void remove(const Key& key, std::size_t grade);
    void clear();

    struct Summary {
        Key key;
        std::vector<qint64> counts; // one for each grade of the key, best first
        qint64 results = 0;
        qint64 valueSum = 0; // in hundredths; the average is worked out from it exactly
        qint64 weak = 0;     // from the key's first weak grade to its worst
    };
    // One summary for each key that has results: GYM, IHK, then the others as they first came.
    std::vector<Summary> summaries() const;

private:
    struct Tally {
        Key key;
        std::vector<qint64> counts;
        qint64 results = 0;
        qint64 valueSum = 0;
    };
    void count(const Key& key, std::size_t grade, int times);

    std::vector<Tally> m_tallies; // a key a tally, GYM first and IHK second where they have one
};

// The average with two decimals, halves rounded away from zero: "2,68" for 107/40.
QString averageText(const Notenspiegel::Summary& summary, const QLocale& locale);
// The weak results' share: "25 %" where it is whole, else one decimal ("0,5 %"), and never
// "0 %" for some nor "100 %" for not all.
QString weakShareText(const Notenspiegel::Summary& summary, const QLocale& locale);

// The tables for the clipboard: each key's grades, counts, results, average and, where the key
// names weak grades, their share.
std::vector<PasteTable> pasteTables(const std::vector<Notenspiegel::Summary>& summaries,
                                    const QLocale& locale);

} // namespace grading
