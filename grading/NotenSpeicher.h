// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/Notenspiegel.h"
#include "grading/Score.h"
#include "grading/TaskAnalysis.h"

#include <QString>
#include <cstddef>
#include <span>
#include <vector>

namespace grading {

// The runs of neighbouring places in `items`, which stand in ascending order of place: each as
// the indexes [first, end) into `items`. A run leaves or comes back as one block.
template <typename Items, typename PlaceOf>
std::vector<std::pair<std::size_t, std::size_t>> runsOfNeighbours(const Items& items,
                                                                  PlaceOf placeOf) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t first = 0; first < items.size();) {
        std::size_t end = first + 1;
        while (end < items.size() && placeOf(items[end]) == placeOf(items[end - 1]) + 1) {
            ++end;
        }
        runs.emplace_back(first, end);
        first = end;
    }
    return runs;
}

// The grade memory: every result of this session, oldest first. Its text introduces each entry
// by a carriage return. Lives as long as the window and is never written to disk.
class NotenSpeicher {
public:
    struct Entry {
        QString line;          // "87,5 % = 13 (GYM)"
        Key key;               // as it was when the result was graded
        std::size_t grade = 0; // in the key, 0 the best
        Score score;           // what it was graded from
        quint64 graded = 0;    // when, as the session counts
    };
    // An entry taken out, with the place it had.
    struct RemovedEntry {
        std::size_t place = 0;
        Entry entry;
    };
    // Entries taken out together, in ascending order of place.
    using Removed = std::vector<RemovedEntry>;

    static QString title();
    // The box's first line, ahead of the entries.
    static QString heading();

    // "87,5 % = 13 (GYM)" from the result as shown ("87,5 %", "3 Fehler"), the grade's text and
    // the key's name, then the task points as written where the result has them ("…, Aufgaben
    // 8+5+12+3"); the grade also counts in the Notenspiegel, and the task points in the task
    // analysis.
    void append(const QString& result, const Key& key, std::size_t grade, const Score& score,
                const QString& taskPoints = {});
    void clear();

    // Takes out the entries at these places (0 the oldest; any order, places past the end are
    // passed over), as if those calculations had never happened.
    Removed remove(std::vector<std::size_t> places);
    // Puts entries that `remove` gave back where they were; each run of neighbouring places goes
    // in at once, so that putting back a whole session costs no more than removing it.
    void restore(std::span<const RemovedEntry> removed);

    std::size_t size() const { return m_entries.size(); }
    const Entry& at(std::size_t place) const { return m_entries[place]; }
    // The newest entry graded under a key of the same identity as `key`; none where no entry is.
    const Entry* newestUnder(const GradingKey& key) const;
    // Each entry behind a carriage return, oldest first.
    QString entries() const;
    const Notenspiegel& notenspiegel() const { return m_notenspiegel; }
    const TaskAnalysis& taskAnalysis() const { return m_taskAnalysis; }
    // The full text of the box that shows the memory: heading line, then the entries. The box lists
    // it a row at a time and copies it whole where no line is selected; its tests hold the two
    // together against this.
    QString messageText() const;

private:
    std::vector<Entry> m_entries;
    Notenspiegel m_notenspiegel;
    TaskAnalysis m_taskAnalysis;
    quint64 m_graded = 0;
};

} // namespace grading
