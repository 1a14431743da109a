// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/GradingWindow.h"
#include "grading/Score.h"

#include <optional>

class QLocale;

namespace grading {

class NotenSpeicher;

// The percentage that `achieved` of `maximum` points make, in double precision as entered.
// A maximum of 0 gives +inf, NaN or -inf by the sign of the achieved points.
double percentageOf(double maximum, double achieved);

// Double arithmetic on the entered decimals lands within a few units in the last place of the
// true quotient, so a result that close to a bound is the bound itself: 8,4 of 14 points are
// 60 % and earn the grade for 60 %, 167 of 500 points 33,4 %. Everything else is graded as
// computed, so a result that truly lies below a bound stays below it.
std::size_t gradeForExactPercentage(const GradingKey& key, double percentage);

// The grade that `achieved` of `maximum` points earn, exactly as "Berechnen" gives it.
std::size_t gradeForPoints(const GradingKey& key, double maximum, double achieved);

// What a field of the window holds under the scale, where that is other than its own caption
// says: "Fehler" for the achieved points under errors; under errors per 100 words also "Wörter"
// for the maximum and "Fehler je 100 Wörter" for the result.
std::optional<QString> fieldCaption(Scale scale, Field field);

// What a screen reader says of a field beyond its caption: under points that the two points
// fields take sums of tasks; that the result fields show the result.
QString fieldDescription(Scale scale, Field field);

// What an input of the window takes under the scale, said where the pointer rests on it; the key
// field's text is the same under every scale.
QString fieldTakes(Scale scale, Field field);

// The figure "Ergebnis in Prozent" showed for a result: its percentage ("77,8"), its errors per
// 100 words ("2,50"); nothing for a count of errors.
QString resultFigure(const Score& score, const QLocale& locale);

// Whether "Ergebnis in Prozent" holds a figure of the result under the scale (the percentage, the
// errors per 100 words); under errors it shows nothing.
bool showsResultFigure(Scale scale);

// "Berechnen": validates the three inputs, shows percentage and grade under the key the key text
// names, records them. False when an input stopped it.
bool calculate(GradingWindow& window, NotenSpeicher& memory, const Keys& keys,
               const QLocale& locale);

} // namespace grading
