// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <span>

class QLocale;

namespace grading {

enum class GradingKey { GYM, IHK };

// Only the exact text "IHK" selects IHK; everything else the user may type grades under GYM.
GradingKey keyFromText(const QString& keyText);

// The bounds of the key, ascending; each is reached by a percentage >= the bound.
std::span<const float> thresholds(GradingKey key);

// The percentage is graded as it is: no clamping, NaN and -inf grade worst, +inf grades best.
// A single-precision percentage converts exactly, so it grades as single against single.
qint16 gradeForPercentage(GradingKey key, double percentage);

// GYM points always have two digits ("07"), IHK grades are the bare number ("2").
QString gradeText(GradingKey key, qint16 grade, const QLocale& locale);

// " (GYM)" or " (IHK)", as written behind each grade-memory entry.
QString suffix(GradingKey key);

} // namespace grading
