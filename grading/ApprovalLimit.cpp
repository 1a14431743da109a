// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/ApprovalLimit.h"

#include "grading/Numbers.h"

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
    const qint64 hundredths = numerator * (10000 / denominator);
    const int decimals = hundredths % 100 == 0 ? 0 : hundredths % 10 == 0 ? 1 : 2;
    const qint64 scaled = decimals == 0   ? hundredths / 100
                          : decimals == 1 ? hundredths / 10
                                          : hundredths;
    return (atLeast ? QStringLiteral("ab ") : QStringLiteral("mehr als ")) +
           fixedPointText(scaled, decimals, locale) + QStringLiteral(" %");
}

ApprovalRead approvalFromFileText(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        "^(mehr als|ab) (?:(\\d{1,3})/(\\d{1,3})|(\\d{1,2})(?:[.,](\\d{1,2}))?[ \\x{00A0}]?%)$"));
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
        const QString decimals = match.captured(5).leftJustified(2, u'0');
        limit.numerator = match.captured(4).toLongLong() * 100 + decimals.toLongLong();
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
