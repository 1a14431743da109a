// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/KeyRules.h"

#include "grading/Decimal.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace grading {

namespace {

constexpr qsizetype longestGradeText = 12;
constexpr std::size_t fewestGrades = 2;
constexpr std::size_t mostGrades = 30;

// What would break the key file's lines: its separators, its brackets, quotes for the settings
// file that names the key. A comma breaks neither: the key file splits at ";", and the settings
// file's key stands in quotes, as teachers name keys „1 bis 6, 4 ab 50 %“.
bool hasAForbiddenCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == u'"' || c == u';' || c == u'[' || c == u']' || c == u'\t' || c == u'\r' ||
               c == u'\n';
    });
}

const QString forbidden = QStringLiteral("keines der Zeichen \" ; [ ] und keinen Tabulator");

} // namespace

std::optional<qint64> valueFromFileText(const QString& text) {
    return hundredthsFrom(text, DecimalForm::File, QLocale::c());
}

std::optional<qint64> boundFromFileText(const QString& text) {
    QString number = text;
    if (number.endsWith(u'%')) {
        number.chop(1);
        while (number.endsWith(u' ') || number.endsWith(u'\t')) {
            number.chop(1);
        }
    }
    return valueFromFileText(number);
}

double boundFromHundredths(qint64 hundredths) {
    // A quotient of two exact integers is rounded once: the double nearest the decimal.
    return static_cast<double>(hundredths) / 100.0;
}

qint64 hundredthsOfBound(double bound) {
    return std::llround(bound * 100.0);
}

bool isBoundInRange(qint64 hundredths, Scale scale) {
    switch (scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return hundredths >= 0 && hundredths <= 100000 &&
               isWholeOrHalf(boundFromHundredths(hundredths));
    case Scale::ErrorsPer100Words:
        return hundredths >= 0 && hundredths <= 10000;
    }
    return hundredths > 0 && hundredths <= 10000;
}

bool isValueInRange(qint64 hundredths) {
    return std::abs(hundredths) <= 10000;
}

QStringList takenNames(const std::vector<GradingKey>& own) {
    QStringList names{gymName(), ihkName()};
    for (const GradingKey& key : own) {
        names << key.name;
    }
    return names;
}

QString whyNotAKeyName(const QString& name, const QStringList& taken) {
    if (name.isEmpty() || name.size() > longestKeyName) {
        return QStringLiteral("Der Name muss 1 bis %1 Zeichen lang sein.").arg(longestKeyName);
    }
    if (name.front().isSpace() || name.back().isSpace()) {
        return QStringLiteral("Der Name darf nicht mit einem Leerzeichen beginnen oder enden.");
    }
    if (hasAForbiddenCharacter(name)) {
        return QStringLiteral("Der Name darf %1 enthalten.").arg(forbidden);
    }
    if (taken.contains(name, Qt::CaseInsensitive)) {
        return QStringLiteral("Den Namen „%1“ trägt schon ein anderer Notenschlüssel (groß oder "
                              "klein geschrieben).")
            .arg(name);
    }
    return {};
}

QString whyNotAGradeText(const QString& text) {
    if (text.isEmpty() || text.size() > longestGradeText) {
        return QStringLiteral("Eine Note muss 1 bis %1 Zeichen lang sein.").arg(longestGradeText);
    }
    if (hasAForbiddenCharacter(text)) {
        return QStringLiteral("Eine Note darf %1 enthalten.").arg(forbidden);
    }
    if (text.front() == u' ' || text.back() == u' ') {
        return QStringLiteral("Eine Note darf nicht mit einem Leerzeichen beginnen oder enden.");
    }
    if (text.front() == u'#') {
        return QStringLiteral("Eine Note darf nicht mit „#“ beginnen: So beginnt in der "
                              "Notenschlüssel-Datei ein Kommentar.");
    }
    // The key file's settings stand in lines of their own, which such a grade would look like.
    static const std::pair<QString, QString> settings[] = {
        {weakSetting, QStringLiteral("die erste schwache Note")},
        {approvalSetting, QStringLiteral("die Grenze für die Genehmigung")},
        {scaleSetting, QStringLiteral("die Skala des Schlüssels")}};
    const QString beforeEquals = text.section(u'=', 0, 0).trimmed();
    for (const auto& [setting, meaning] : settings) {
        if (text.contains(u'=') && beforeEquals == setting) {
            return QStringLiteral("Eine Note darf nicht mit „%1=“ beginnen: So steht in der "
                                  "Notenschlüssel-Datei %2.")
                .arg(setting, meaning);
        }
    }
    return {};
}

std::optional<qint64> boundFromFileText(const QString& text, Scale scale) {
    const auto hundredths =
        scale == Scale::Points ? boundFromFileText(text) : valueFromFileText(text);
    return hundredths && isBoundInRange(*hundredths, scale) ? hundredths : std::nullopt;
}

BoundRule boundRule(Scale scale) {
    switch (scale) {
    case Scale::Points:
        break;
    case Scale::Errors:
        return {QStringLiteral("keine Fehlerzahl von 0 bis 1000 in ganzen oder halben Fehlern"),
                250};
    case Scale::ErrorsPer100Words:
        return {QStringLiteral("keine Zahl von 0 bis 100 mit höchstens zwei Nachkommastellen"),
                240};
    }
    return {QStringLiteral("keine Zahl über 0 bis 100 mit höchstens zwei Nachkommastellen"), 3330};
}

QString whyNotABound(const QString& text, Scale scale) {
    if (boundFromFileText(text, scale)) {
        return {};
    }
    const BoundRule rule = boundRule(scale);
    return QStringLiteral("Die Grenze „%1“ ist %2 (etwa „%3“ oder „%4“).")
        .arg(text, rule.broken, fileText(rule.example, u','), fileText(rule.example));
}

ValueRule valueRule() {
    return {QStringLiteral("keine Zahl von -100 bis 100 mit höchstens zwei Nachkommastellen"), 230};
}

QString whyNotAValue(const QString& text) {
    const auto hundredths = valueFromFileText(text);
    if (!hundredths || !isValueInRange(*hundredths)) {
        const ValueRule rule = valueRule();
        return QStringLiteral("Der Wert „%1“ ist %2 (etwa „%3“ oder „%4“).")
            .arg(text, rule.broken, fileText(rule.example, u','), fileText(rule.example));
    }
    return {};
}

QString whyNoApproval(const std::optional<ApprovalLimit>& approval,
                      std::optional<std::size_t> firstWeak) {
    return approval && !firstWeak ? QStringLiteral("Die Grenze zählt die schwachen Ergebnisse")
                                  : QString();
}

KeyProblem whyNotAKey(const std::vector<Grade>& grades, Scale scale) {
    const bool rising = countsErrors(scale);
    if (grades.size() < fewestGrades || grades.size() > mostGrades) {
        return {QStringLiteral("Ein Notenschlüssel hat %1 bis %2 Noten, dieser hat %3.")
                    .arg(fewestGrades)
                    .arg(mostGrades)
                    .arg(grades.size()),
                grades.size()};
    }
    for (std::size_t grade = 0; grade < grades.size(); ++grade) {
        const Grade& current = grades[grade];
        for (std::size_t better = 0; better < grade; ++better) {
            if (grades[better].text == current.text) {
                return {
                    QStringLiteral("Die Note „%1“ steht zweimal im Schlüssel.").arg(current.text),
                    grade, KeyProblem::Concerns::Text};
            }
        }
        const bool worst = grade + 1 == grades.size();
        if (worst && current.bound) {
            return {QStringLiteral("Die schlechteste Note hat keine Grenze: Sie gilt für alles "
                                   "%1 der vorletzten.")
                        .arg(rising ? QStringLiteral("über") : QStringLiteral("unter")),
                    grade, KeyProblem::Concerns::Bound};
        }
        if (!worst && !current.bound) {
            return {QStringLiteral("Jede Note außer der schlechtesten braucht eine Grenze."), grade,
                    KeyProblem::Concerns::Bound};
        }
        if (grade > 0 && current.bound && rising && !(*current.bound > *grades[grade - 1].bound)) {
            return {QStringLiteral("Die Grenze muss über der Grenze der besseren Note liegen: "
                                   "Die Grenzen steigen von der besten Note zur schlechtesten."),
                    grade, KeyProblem::Concerns::Bound};
        }
        if (grade > 0 && current.bound && !rising && !(*current.bound < *grades[grade - 1].bound)) {
            return {QStringLiteral("Die Grenze muss unter der Grenze der besseren Note liegen: "
                                   "Die Grenzen fallen von der besten Note zur schlechtesten."),
                    grade, KeyProblem::Concerns::Bound};
        }
    }
    return {};
}

} // namespace grading
