// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class QLocale;

namespace grading {
class DecimalWriter;
}

namespace grading {

// The points of each task of an exam in whole hundredths, as typed: "8+1,5" is {800, 150}.
using TaskPoints = std::vector<qint32>;

inline constexpr int mostTasks = 40;
inline constexpr qint32 mostPointsPerTask = 100'000 * 100;

// A points field's text as the calculation takes it: a number the numeric test reads, or else
// the points of 2 to 40 tasks joined by "+": blanks around "+", each part a number without a
// sign, at most two decimals and at most 100 000, in the locale's form as the numeric test takes
// it ("1.000", "1E+3").
struct TypedPoints {
    double value = 0; // the number, or the sum's exact total
    TaskPoints tasks; // the sum's parts; none for a number
};
// Nothing for any other text.
std::optional<TypedPoints> typedPoints(const QString& text, const QLocale& locale);

// Whether tasks' maxima each give something to earn; a task of 0 points is a slip.
bool everyTaskHasPoints(const TaskPoints& maxima);

qint64 totalHundredths(const TaskPoints& tasks);
double totalPoints(const TaskPoints& tasks);

// One task's points as the locale writes the number, shortest form, no grouping: "1,5", "12".
QString taskPointsText(qint32 hundredths, const QLocale& locale);
void appendTaskPoints(QByteArray& utf8, qint32 hundredths, const DecimalWriter& writer);
// The parts as the list and the messages show them, joined by "+".
QString taskSumText(const TaskPoints& tasks, const QLocale& locale);

} // namespace grading
