// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Decimal.h"
#include "grading/PasteTable.h"
#include "grading/Score.h"
#include "grading/TaskSum.h"

#include <QString>
#include <set>
#include <vector>

class QLocale;

namespace grading {

// How the class did task by task: for each exam, known by its tasks' maxima in their order,
// each task's points added up over the results typed task by task, and how many reached its
// maximum. Kept up to date entry by entry, as the Notenspiegel is; the key that graded a result
// does not matter.
class TaskAnalysis {
public:
    // `graded` is when the result came, as the session counts: an exam's analysis stands where
    // its first result does. A result without task points is passed over.
    void add(const Score& score, quint64 graded);
    void remove(const Score& score, quint64 graded);
    void clear();

    struct Task {
        qint32 maximum = 0; // in hundredths
        Wide points = 0;    // in hundredths, over all results: never past 128 bits
        qint64 full = 0;    // results that reached the maximum
        friend bool operator==(const Task&, const Task&) = default;
    };
    struct Summary {
        std::vector<Task> tasks;
        qint64 results = 0;
        qint64 fullTotal = 0; // results that reached every task's maximum
        friend bool operator==(const Summary&, const Summary&) = default;
    };
    // One for each exam that has results, in the order their first result was graded.
    std::vector<Summary> summaries() const;

private:
    struct Tally {
        Summary summary;
        std::set<quint64> graded;
    };
    Tally* tallyFor(const Score& score);
    // Adds the result's points to its exam's tally, or with -1 takes them back.
    static void count(Tally& tally, const Score& score, int times);

    std::vector<Tally> m_tallies;
};

TaskPoints taskMaxima(const TaskAnalysis::Summary& summary);

// „Aufgaben (10+8+12+6), 27 Arbeiten“, „…, 1 Arbeit“.
QString analysisCaption(const TaskAnalysis::Summary& summary, const QLocale& locale);
// The same with a zero-width space after each "+": forty tasks' maxima break into lines there,
// never within a number.
QString wrappableCaption(const TaskAnalysis::Summary& summary, const QLocale& locale);

// A task's solution rate, its average over its maximum, in percent with one decimal: „41,7 %“.
QString rateText(const TaskAnalysis::Task& task, qint64 results, const QLocale& locale);

// The tasks with the lowest rate, compared exactly: those that share it, in order (0 the first).
std::vector<std::size_t> hardestTasks(const TaskAnalysis::Summary& summary);
// The hardest tasks where they stand out from the others: none where every task has one rate.
std::vector<std::size_t> standingOut(const TaskAnalysis::Summary& summary);
// „Schwerste Aufgabe: 3 (41,7 %)“, „Schwerste Aufgaben: 2, 3 (41,7 %)“.
QString hardestSentence(const TaskAnalysis::Summary& summary, const QLocale& locale);

// A row a task: "Aufgabe", "Punkte" (its maximum), "Mittel", "Lösungsquote", "volle
// Punktzahl", then "Gesamt" for the whole exam; captioned as the analysis is.
PasteTable taskTable(const TaskAnalysis::Summary& summary, const QLocale& locale);

// The tables for the clipboard: each exam's task table with the hardest tasks' sentence under it.
std::vector<PasteTable> pasteTables(const std::vector<TaskAnalysis::Summary>& summaries,
                                    const QLocale& locale);

} // namespace grading
