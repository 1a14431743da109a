// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/KeyForm.h"

#include "grading/Decimal.h"
#include "grading/KeyRules.h"

#include <QStringList>

namespace keys {

using namespace grading;

namespace {

QString localeText(qint64 hundredths, const QLocale& locale) {
    return decimalText(hundredths, 2, locale, Zeros::Dropped);
}

QString whyNotAFormBound(const QString& text, Scale scale, const QLocale& locale) {
    const BoundRule rule = boundRule(scale);
    return QStringLiteral("„%1“ unter „%2“ ist %3 (etwa „%4“).")
        .arg(text, boundHeading(scale), rule.broken, localeText(rule.example, locale));
}

} // namespace

std::optional<qint64> hundredthsFromLocale(QString text, const QLocale& locale, bool percentage) {
    text = text.trimmed();
    if (percentage && text.endsWith(u'%')) {
        text = text.chopped(1).trimmed();
    }
    return hundredthsFrom(text, DecimalForm::Locale, locale);
}

bool isBlank(const KeyFormRow& row) {
    return row.grade.trimmed().isEmpty() && row.bound.trimmed().isEmpty() &&
           row.value.trimmed().isEmpty();
}

KeyForm formFromKey(const GradingKey& key, const QLocale& locale) {
    KeyForm form{key.name, {}, key.firstWeak, key.approval, key.scale};
    for (const Grade& grade : key.grades) {
        form.rows.push_back(
            {grade.text,
             grade.bound ? localeText(hundredthsOfBound(*grade.bound), locale) : QString(),
             localeText(grade.value, locale)});
    }
    return form;
}

FormCheck checkKeyForm(const KeyForm& form, const QLocale& locale) {
    FormCheck check = checkGrades(form, locale);
    if (const QString problem = whyNotAFormName(form.name); check.key && !problem.isEmpty()) {
        return {std::nullopt, problem};
    }
    return check;
}

QString whyNotAFormName(const QString& name) {
    const QString problem = whyNotAKeyName(name, takenNames({}));
    return problem.isEmpty() ? problem : QStringLiteral("Name: ") + problem;
}

FormCheck checkGrades(const KeyForm& form, const QLocale& locale) {
    auto inRow = [](int row, int column, const QString& problem) {
        return FormCheck{std::nullopt, QStringLiteral("Zeile %1: %2").arg(row + 1).arg(problem),
                         row, column};
    };
    GradingKey key{form.name, {}, std::nullopt, {}, {}, {}};
    key.scale = form.scale;
    std::vector<int> rowOfGrade;
    for (std::size_t index = 0; index < form.rows.size(); ++index) {
        const KeyFormRow& row = form.rows[index];
        const int number = static_cast<int>(index);
        if (isBlank(row)) {
            continue;
        }
        if (const QString problem = whyNotAGradeText(row.grade); !problem.isEmpty()) {
            return inRow(number, FormCheck::Grade, problem);
        }
        std::optional<double> bound;
        if (!row.bound.trimmed().isEmpty()) {
            const auto hundredths =
                hundredthsFromLocale(row.bound, locale, form.scale == Scale::Points);
            if (!hundredths || !isBoundInRange(*hundredths, form.scale)) {
                return inRow(number, FormCheck::Bound,
                             whyNotAFormBound(row.bound, form.scale, locale));
            }
            bound = boundFromHundredths(*hundredths);
        }
        const auto value = hundredthsFromLocale(row.value, locale);
        if (!value || !isValueInRange(*value)) {
            const ValueRule rule = valueRule();
            return inRow(number, FormCheck::Value,
                         QStringLiteral("„%1“ unter „Wert“ ist %2 (etwa „%3“).")
                             .arg(row.value, rule.broken, localeText(rule.example, locale)));
        }
        // A weak grade on a row left blank passes to the next grade.
        if (!key.firstWeak && form.firstWeak && index >= *form.firstWeak) {
            key.firstWeak = key.grades.size();
        }
        key.grades.push_back({row.grade, bound, *value});
        rowOfGrade.push_back(number);
    }
    if (const KeyProblem broken = whyNotAKey(key.grades, key.scale); !broken.problem.isEmpty()) {
        if (broken.grade >= rowOfGrade.size()) {
            return {std::nullopt, broken.problem, -1, FormCheck::Count};
        }
        const int column =
            broken.concerns == KeyProblem::Concerns::Text ? FormCheck::Grade : FormCheck::Bound;
        return inRow(rowOfGrade[broken.grade], column, broken.problem);
    }
    if (const QString why = whyNoApproval(form.approval, key.firstWeak); !why.isEmpty()) {
        return {std::nullopt,
                QStringLiteral("Genehmigung: %1; dafür braucht der Schlüssel eine erste schwache "
                               "Note („schwach ab“).")
                    .arg(why),
                -1, FormCheck::Approval};
    }
    key.approval = form.approval;
    return {withOwnHeadings(std::move(key)), {}};
}

} // namespace keys
