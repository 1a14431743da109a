// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/PasteTable.h"
#include "grading/Score.h"

#include <QString>
#include <optional>
#include <vector>

class QLocale;

namespace grading {

// The raw points each grade needs for one maximum: what goes under an exam or into a mark sheet.
struct KeyTableRow {
    std::size_t grade = 0;      // in the key, 0 the best
    std::optional<double> from; // the lowest step value that earns the grade; none: no step does
    std::optional<double> to;   // the highest; none also where no number of errors is too many
};

// The maximum as the calculation takes it, where it is above 0; nothing for any other text.
std::optional<double> keyTableMaximum(const QString& maximumText, const QLocale& locale);
// What the text in "Rohpunkte" gives a key table: a maximum above 0, a word count.
OutOf outOfText(const QString& maximumText, const QLocale& locale);

// Whether `outOf` holds what the key's table needs: a maximum above 0 under points, a word count
// under errors per 100 words; a count of errors needs neither.
bool hasWhatItNeeds(const GradingKey& key, const OutOf& outOf);
// Whether the key's table starts in half steps: under points for a maximum such as 47,5, under
// errors where a bound is a half error; under errors per 100 words never.
bool halvesAskedFor(const GradingKey& key, const OutOf& outOf);
// The key's table out of `outOf` in steps of `step` (1 or 0,5), as shown and copied; none where
// `outOf` lacks what the key needs or the maximum is too large to split.
std::optional<PasteTable> keyTableFor(const GradingKey& key, const OutOf& outOf, double step,
                                      const QLocale& locale);
// What stands in that table's place where `outOf` has what the key needs but the maximum is too
// large to split; empty otherwise. Never an instruction to type something.
QString noTableReason(const GradingKey& key, const OutOf& outOf, double step);

// The step the teacher chose for the key table shown: for the keys of its scale, in its exam.
struct ChosenStep {
    Scale scale = Scale::Points;
    OutOf outOf;
    double step = 1.0;
};
// A key's step out of `outOf`: the step chosen where the key counts as the key shown and the exam
// is the one shown; else the step it asks for there. Half errors chosen for a dictation say nothing
// about a test in points, nor whole points chosen for 40 points about a test of 47,5.
double stepFor(const GradingKey& key, const OutOf& outOf, const ChosenStep& chosen);

// Whether the table starts in half points: for a maximum such as 47,5.
bool endsInAHalf(double maximum);

// One row per grade, best first, over the step values 0, step, 2·step, … up to the maximum.
// Each bound is found by the calculation's own grading, bisecting the steps, so the cost does
// not grow with the maximum. Nothing where the maximum holds more than 2^53 steps: beyond that
// neighbouring step numbers are one double, and no table of them could be exact.
std::optional<std::vector<KeyTableRow>> keyTable(const GradingKey& key, double maximum,
                                                 double step);

// Under a key of errors, the errors each grade allows, in steps of 1 or 0,5 (in so many words
// under errors per 100 words): from 0 for the best grade, one step past the better grade's last
// for each other, up to what its bound allows as far as the steps reach it; the worst grade
// without an end.
std::vector<KeyTableRow> errorTable(const GradingKey& key, double step, qint64 words = 0);

// What stands in place of the table that keyTable cannot give.
QString tooLargeToSplit(double step);

// "Notenschlüssel für 40 Rohpunkte (GYM)".
QString keyTableHeading(const GradingKey& key, double maximum, const QLocale& locale);

// "Notenschlüssel nach Fehlern (Diktat)", "Notenschlüssel für 120 Wörter (Fehlerquotient)".
QString errorTableHeading(const GradingKey& key, qint64 words, const QLocale& locale);

// The table as shown and copied: the heading as caption, "Punkte"/"Note", "ab" and "bis" over one
// row per grade, "–" where no step value earns it.
PasteTable keyPasteTable(const GradingKey& key, double maximum,
                         const std::vector<KeyTableRow>& rows, const QLocale& locale);
// The same for an error key: "Note", "von" and "bis", the worst grade's "bis" empty.
PasteTable errorPasteTable(const GradingKey& key, qint64 words,
                           const std::vector<KeyTableRow>& rows, const QLocale& locale);

} // namespace grading
