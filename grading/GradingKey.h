// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/ApprovalLimit.h"
#include "grading/Scale.h"

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <vector>

class QLocale;

namespace grading {

// One grade of a key.
struct Grade {
    QString text; // as shown and recorded: "07", "2", "1+", "sehr gut"
    // Under points the lowest percentage that earns it, under errors the most errors it allows,
    // under errors per 100 words the most errors per 100 words; none for the worst grade.
    std::optional<double> bound;
    qint64 value = 0; // for the average, in hundredths: GYM's points, IHK's grade
    friend bool operator==(const Grade&, const Grade&) = default;
};

// A grading key as data: GYM and IHK are built in, a teacher's own come from the key file.
struct GradingKey {
    QString name;
    std::vector<Grade> grades;            // best first
    std::optional<std::size_t> firstWeak; // from this grade to the worst the results are weak
    // The captions of its Notenspiegel: the grade row, the average, the weak results.
    QString gradeHeading;
    QString averageHeading;
    QString weakHeading;
    // Where too many weak results need the head's approval; only with weak grades.
    std::optional<ApprovalLimit> approval = std::nullopt;
    Scale scale = Scale::Points;
    friend bool operator==(const GradingKey&, const GradingKey&) = default;
};

// Results keep the key they were graded under, whatever becomes of the key file later.
using Key = std::shared_ptr<const GradingKey>;

// The built-in keys' names, as the key list shows them and the settings file holds them.
QString gymName();
QString ihkName();

// Whether results under either key count as results under one key: the same name, scale, grade
// texts, values, weak grades and approval limit. Bounds may differ; a key is never told by where it
// lives.
bool sameIdentity(const GradingKey& one, const GradingKey& other);

// "Note", "Durchschnitt" and "Noten 5+ bis 6" ("Note 6" where one grade is weak) for a key of
// the teacher's own.
GradingKey withOwnHeadings(GradingKey key);

// Every key the program knows: GYM, IHK, then the teacher's own in the key file's order.
class Keys {
public:
    // GYM's points in the pattern "00" and IHK's grades as plain numbers, in the locale's digits.
    explicit Keys(const QLocale& locale, const std::vector<GradingKey>& own = {});

    const Key& gym() const { return m_all[0]; }
    const Key& ihk() const { return m_all[1]; }
    const std::vector<Key>& all() const { return m_all; }
    std::vector<GradingKey> own() const;
    // GYM and IHK stay as they are.
    void setOwn(const std::vector<GradingKey>& own);

    // The key whose name the text is exactly, case and blanks counting; GYM for every other text.
    const Key& fromText(const QString& keyText) const;
    // Whether the text grades as GYM although it means another key: it is not empty, neither GYM
    // nor IHK in any case (a typed ihk in lower case has always meant GYM), and no key's name.
    bool namesAMissingKey(const QString& keyText) const;

private:
    std::vector<Key> m_all;
};

// The grade, 0 the best, that the percentage earns under a points key as it is: no clamping,
// NaN and -inf grade worst, +inf grades best. A single-precision percentage converts exactly.
std::size_t gradeForPercentage(const GradingKey& key, double percentage);

// The grade, 0 the best, that so many half errors earn under a key of errors, in so many words
// under errors per 100 words (from 1; a count of errors needs none): the best grade whose bound
// they do not pass, compared in integers.
std::size_t gradeForHalfErrors(const GradingKey& key, qint64 halfErrors, qint64 words = 0);

// " (GYM)": a blank and the key's name in parentheses, as written behind each memory entry.
QString suffix(const GradingKey& key);

} // namespace grading
