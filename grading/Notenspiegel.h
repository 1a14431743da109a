// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/PasteTable.h"

#include <QString>
#include <array>
#include <vector>

class QLocale;

namespace grading {

// How many results of the session earned each grade, per key: what goes on the test and into
// the class book. Kept up to date entry by entry, so it costs the same however long the
// session runs.
class Notenspiegel {
public:
    void add(GradingKey key, qint16 grade);
    // Takes back one result that `add` counted.
    void remove(GradingKey key, qint16 grade);
    void clear();

    struct Summary {
        GradingKey key = GradingKey::GYM;
        std::vector<std::pair<qint16, qint64>> counts; // every grade of the key, best first
        qint64 results = 0;
        qint64 gradeSum = 0; // the average is worked out from it exactly, never from a double
        qint64 weak = 0;     // GYM under 05 points, IHK grades 5 and 6
    };
    // One summary for each key that has results, GYM before IHK.
    std::vector<Summary> summaries() const;

private:
    struct Tally {
        std::array<qint64, 16> counts{};
        qint64 results = 0;
        qint64 gradeSum = 0;
    };
    void count(GradingKey key, qint16 grade, int times);

    std::array<Tally, 2> m_tallies{};
};

// Captions for the table: the grade row's name, the average's and the weak results'.
QString gradeHeading(GradingKey key);
QString averageHeading(GradingKey key);
QString weakHeading(GradingKey key);
// The average grade with two decimals, halves rounded away from zero: "2,68" for 107/40.
QString averageText(const Notenspiegel::Summary& summary, const QLocale& locale);
// The weak results' share: "25 %" where it is whole, else one decimal ("0,5 %"), and never
// "0 %" for some nor "100 %" for not all.
QString weakShareText(const Notenspiegel::Summary& summary, const QLocale& locale);

// The tables for the clipboard: each key's grades, counts, results, average and weak share.
std::vector<PasteTable> pasteTables(const std::vector<Notenspiegel::Summary>& summaries,
                                    const QLocale& locale);

} // namespace grading
