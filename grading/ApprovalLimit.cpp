// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/ApprovalLimit.h"

#include "grading/Decimal.h"

#include <QLocale>
#include <QRegularExpression>
#include <numeric>

namespace grading {

bool ApprovalLimit::reached(qint64 weak, qint64 results) const {
    const qint64 share = weak * denominator;
    const qint64 limit = results * numerator;
    return atLeast ? share >= limit : share > limit;
}

QString ApprovalLimit::wording(const QLocale& locale) const {
    for (const NamedLimit& named : namedLimits) {
        if (approvalFromFileText(QString::fromUtf8(named.fileText)).limit == *this) {
            return QString::fromUtf8(named.words);
        }
    }
    if (!fileText.contains(u'%')) {
        return fileText;
    }
    // A percentage was read in hundredths, so the denominator divides 10000.
    return (atLeast ? QStringLiteral("ab ") : QStringLiteral("mehr als ")) +
           decimalText(numerator * (10000 / denominator), 2, locale, Zeros::Dropped) +
           QStringLiteral(" %");
}

ApprovalRead approvalFromFileText(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        "^(mehr als|ab) (?:(\\d{1,3})/(\\d{1,3})|(\\d{1,2}(?:[.,]\\d{1,2})?)[ \\x{00A0}]?%)$"));
    const QRegularExpressionMatch match = form.match(text);
    const QString rule = QStringLiteral(
        "„genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und dann einen Anteil über "
        "0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa „mehr als 30 %“) oder "
        "einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“).");
    if (!match.hasMatch()) {
        return {std::nullopt, rule};
    }
    ApprovalLimit limit{match.captured(1) == QStringLiteral("ab"), 0, 1, text};
    if (match.hasCaptured(2)) {
        limit.numerator = match.captured(2).toLongLong();
        limit.denominator = match.captured(3).toLongLong();
        if (limit.numerator < 1 || limit.numerator >= limit.denominator ||
            limit.denominator > 100) {
            return {std::nullopt, rule};
        }
    } else {
        limit.numerator =
            hundredthsFrom(match.captured(4), DecimalForm::File, QLocale::c()).value_or(0);
        limit.denominator = 10000;
        if (limit.numerator <= 0) {
            return {std::nullopt, rule};
        }
    }
    const qint64 common = std::gcd(limit.numerator, limit.denominator);
    limit.numerator /= common;
    limit.denominator /= common;
    return {limit, {}};
}

} // namespace grading
