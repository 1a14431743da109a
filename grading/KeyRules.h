// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace grading {

// A bound or a value as a teacher may type it into the key file: with a point or a comma
// ("33,3"), a bound also with "%" behind it ("33,3 %").
std::optional<qint64> boundFromFileText(const QString& text);
std::optional<qint64> valueFromFileText(const QString& text);

// A bound as the key holds it: the double nearest the decimal, and back to the decimal.
double boundFromHundredths(qint64 hundredths);
qint64 hundredthsOfBound(double bound);

// The ranges a bound and a value (-100 to 100) keep, in hundredths. A percentage is above 0 and
// at most 100, errors are whole or half from 0 to 1000, errors per 100 words from 0 to 100.
bool isBoundInRange(qint64 hundredths, Scale scale);
bool isValueInRange(qint64 hundredths);

constexpr qsizetype longestKeyName = 20;

// The settings a key's block in the key file may hold besides its grades, each as "name=value";
// a grade text cannot look like one.
inline const QString scaleSetting = QStringLiteral("skala");
inline const QString weakSetting = QStringLiteral("schwach ab");
inline const QString approvalSetting = QStringLiteral("genehmigung");

// The names a new own key cannot bear: GYM, IHK and those of `own`.
QStringList takenNames(const std::vector<GradingKey>& own);

// Why a text cannot be the name of an own key; empty where it can. `taken` are the names of the
// keys there already, compared without case, GYM and IHK among them.
QString whyNotAKeyName(const QString& name, const QStringList& taken);
// Why a text cannot be a grade's; empty where it can. A "#" in front would make it a comment.
QString whyNotAGradeText(const QString& text);
// A bound's text in the key file, in hundredths, where it keeps the scale's range; a "%" behind it
// only under points.
std::optional<qint64> boundFromFileText(const QString& text, Scale scale);
// What a bound breaks where it leaves the scale's range ("keine Zahl über 0 bis 100 mit höchstens
// zwei Nachkommastellen"), and a bound that keeps it, in hundredths, for an example.
struct BoundRule {
    QString broken;
    qint64 example = 0;
};
BoundRule boundRule(Scale scale);

// Why a bound's text in the key file is none under the scale.
QString whyNotABound(const QString& text, Scale scale);
// What a value breaks where it leaves its range, and one that keeps it, in hundredths.
using ValueRule = BoundRule;
ValueRule valueRule();
// Why a value's text in the key file is none: from -100 to 100, two decimals at most.
QString whyNotAValue(const QString& text);

// Why a key cannot have its approval limit: the limit counts weak results, which a key without a
// first weak grade has none of; empty where it can.
QString whyNoApproval(const std::optional<ApprovalLimit>& approval,
                      std::optional<std::size_t> firstWeak);

// Why the grades cannot make a key, and which of them (0 the best) the rule concerns; the
// problem is empty where they can. Each grade but the worst has a bound; the bounds fall from the
// best grade to the worst under points and rise under errors.
struct KeyProblem {
    enum class Concerns { Count, Text, Bound };
    QString problem;
    std::size_t grade = 0; // or the number of grades, for their count
    Concerns concerns = Concerns::Count;
};
KeyProblem whyNotAKey(const std::vector<Grade>& grades, Scale scale);

} // namespace grading
