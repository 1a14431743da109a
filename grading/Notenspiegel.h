// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/PasteTable.h"

#include <QString>
#include <optional>
#include <vector>

class QLocale;

namespace grading {

// How many results of the session earned each grade, per key: what goes on the test and into
// the class book. Kept up to date entry by entry, so it costs the same however long the
// session runs.
// Results count under a key by what it is, not by where it lives: a key saved anew unchanged
// counts on in the same table. Where a key keeps its name but changes what it is, the results
// after the change count in a table of their own, and the older tables are headed by their
// version ("Fassung 1", …) while the one graded under last keeps the plain heading: the key as it
// stands now, also where a teacher went back to an earlier version.
class Notenspiegel {
public:
    void add(const Key& key, std::size_t grade);
    // Takes back one result that `add` counted, and puts it back as it was.
    void remove(const Key& key, std::size_t grade);
    void putBack(const Key& key, std::size_t grade);
    void clear();

    struct Summary {
        Key key;
        QString caption;            // "Notenspiegel (Beta)", "Notenspiegel (Beta, Fassung 1)"
        std::optional<int> version; // where a newer version of the key was graded under since
        std::vector<qint64> counts; // one for each grade of the key, best first
        qint64 results = 0;
        qint64 valueSum = 0;        // in hundredths; the average is worked out from it exactly
        std::optional<qint64> weak; // from the first weak grade to the worst; none without one
    };
    // One summary for each key, and each version of a key, that has results: GYM, IHK, then the
    // others as they first came, the versions of a key side by side.
    std::vector<Summary> summaries() const;

private:
    struct Tally {
        Key key;
        int version = 1;        // among the tallies of keys of its name, in the order they came
        quint64 lastGraded = 0; // when a result last came, as the session counts
        std::vector<qint64> counts;
        qint64 results = 0;
        qint64 valueSum = 0;
    };
    Tally& count(const Key& key, std::size_t grade, int times);

    // A key a tally, GYM first and IHK second where they have one, the versions of a key side by
    // side.
    std::vector<Tally> m_tallies;
    quint64 m_graded = 0;
};

// The key's name as its tables are headed: "Beta", "Beta, Fassung 1".
QString versionedName(const Notenspiegel::Summary& summary);

// The average with two decimals, halves rounded away from zero: "2,68" for 107/40.
QString averageText(const Notenspiegel::Summary& summary, const QLocale& locale);
// The weak results' share, for a key that names weak grades: "25 %" where it is whole, else one
// decimal ("0,5 %"), and never "0 %" for some nor "100 %" for not all.
QString weakShareText(const Notenspiegel::Summary& summary, const QLocale& locale);

// The middle grade value, for an even count the mean of the middle two, written as the average is.
QString medianText(const Notenspiegel::Summary& summary, const QLocale& locale);
// A part's share of all results, rounded as the weak share is.
QString shareText(qint64 part, qint64 results, const QLocale& locale);

// For a key with an approval limit whether the exam needs the head's approval; none for a key
// without one.
std::optional<bool> approvalNeeded(const Notenspiegel::Summary& summary);
// The sentence that says so: „Genehmigung nötig: 10 von 30 schwach (33,3 %), Grenze: ab einem
// Drittel.“ or „Keine Genehmigung nötig: …“; empty for a key without a limit.
QString approvalSentence(const Notenspiegel::Summary& summary, const QLocale& locale);

// The key's grades over their counts and shares: "Note 1 2 3 …", "Anzahl 0 4 7 …" and
// "Anteil 0 % 36,4 % …", without a caption.
PasteTable countTable(const Notenspiegel::Summary& summary, const QLocale& locale);

// The tables for the clipboard: each key's grades, counts and shares, results, average, median
// and, where the key names weak grades, their share, and where it has one, its approval limit.
std::vector<PasteTable> pasteTables(const std::vector<Notenspiegel::Summary>& summaries,
                                    const QLocale& locale);

} // namespace grading
