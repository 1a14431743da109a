// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace keys {

// A key as the editor shows it: texts as typed, numbers in the user's locale ("33,3").
struct KeyFormRow {
    QString grade;
    QString bound;
    QString value;
    friend bool operator==(const KeyFormRow&, const KeyFormRow&) = default;
};
// A row left wholly blank, which the key does not count.
bool isBlank(const KeyFormRow& row);

// Hundredths as the editor's cells take them; a "%" behind a percentage is welcome.
std::optional<qint64> hundredthsFromLocale(QString text, const QLocale& locale,
                                           bool percentage = false);

struct KeyForm {
    QString name;
    std::vector<KeyFormRow> rows;         // best first; rows left wholly blank do not count
    std::optional<std::size_t> firstWeak; // a row
    std::optional<grading::ApprovalLimit> approval = std::nullopt;
    grading::Scale scale = grading::Scale::Points;
    friend bool operator==(const KeyForm&, const KeyForm&) = default;
};

KeyForm formFromKey(const grading::GradingKey& key, const QLocale& locale);

// The key the form gives, or the first rule it breaks, with the row (0 the first) and column
// concerned. Only GYM and IHK are taken names here: the editor asks before a key of the
// teacher's is replaced.
struct FormCheck {
    enum Column { Grade, Bound, Value, Name = -1, Count = -2, Approval = -3 };
    std::optional<grading::GradingKey> key;
    QString problem; // German, naming the row and the rule
    int row = -1;
    int column = Name;
};
FormCheck checkKeyForm(const KeyForm& form, const QLocale& locale);
// Its two halves: the grades alone, for a key table while the name is typed, and the name's rules,
// worded as the editor shows them (empty where the name may be saved).
FormCheck checkGrades(const KeyForm& form, const QLocale& locale);
QString whyNotAFormName(const QString& name);

} // namespace keys
