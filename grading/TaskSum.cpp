// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/TaskSum.h"

#include "grading/Decimal.h"
#include "grading/Numbers.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace grading {

namespace {

// The parts between the "+" that join tasks; a "+" right after the exponent's "E" belongs to the
// number ("1E+3+2" is 1000 and 2).
QStringList sumParts(const QString& text) {
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != u'+') {
            continue;
        }
        const bool inExponent = at > start && (text[at - 1] == u'e' || text[at - 1] == u'E');
        if (!inExponent) {
            parts << text.mid(start, at - start);
            start = at + 1;
        }
    }
    parts << text.mid(start);
    return parts;
}

// Decimals as typed: "1,000" is no slip for 1 point to pass over, it may be a thousand.
qsizetype typedDecimals(const QString& number, const QLocale& locale) {
    const qsizetype point = number.indexOf(locale.decimalPoint());
    if (point < 0) {
        return 0;
    }
    qsizetype end = point + locale.decimalPoint().size();
    while (end < number.size() && number[end].isDigit()) {
        ++end;
    }
    return end - point - locale.decimalPoint().size();
}

std::optional<qint32> partHundredths(const QString& part, const QLocale& locale) {
    const QString number = part.trimmed();
    const std::optional<double> value = readNumber(number, locale);
    // Every form of minus the locale reads ("-", "−") gives a sign bit, "-0" included.
    if (!value || std::signbit(*value) || *value > mostPointsPerTask / 100 ||
        typedDecimals(number, locale) > 2) {
        return std::nullopt;
    }
    // With an exponent the value tells: at most two decimals make the double nearest its
    // hundredths ÷ 100, any further decimal puts it elsewhere.
    const auto hundredths = static_cast<qint32>(std::llround(*value * 100.0));
    if (static_cast<double>(hundredths) / 100.0 != *value) {
        return std::nullopt;
    }
    return hundredths;
}

std::optional<TaskPoints> taskSum(const QString& text, const QLocale& locale) {
    const QStringList parts = sumParts(text);
    if (parts.size() < 2 || parts.size() > mostTasks) {
        return std::nullopt;
    }
    TaskPoints tasks;
    tasks.reserve(static_cast<std::size_t>(parts.size()));
    for (const QString& part : parts) {
        const std::optional<qint32> hundredths = partHundredths(part, locale);
        if (!hundredths) {
            return std::nullopt;
        }
        tasks.push_back(*hundredths);
    }
    return tasks;
}

} // namespace

std::optional<TypedPoints> typedPoints(const QString& text, const QLocale& locale) {
    // Only a text the numeric test refuses can be a sum: "+36" and "1E+5" are numbers.
    if (const std::optional<double> number = readNumber(text, locale)) {
        return TypedPoints{*number, {}};
    }
    if (std::optional<TaskPoints> tasks = taskSum(text, locale)) {
        const double total = totalPoints(*tasks);
        return TypedPoints{total, std::move(*tasks)};
    }
    return std::nullopt;
}

bool everyTaskHasPoints(const TaskPoints& maxima) {
    return std::find(maxima.begin(), maxima.end(), 0) == maxima.end();
}

qint64 totalHundredths(const TaskPoints& tasks) {
    return std::accumulate(tasks.begin(), tasks.end(), qint64{0});
}

double totalPoints(const TaskPoints& tasks) {
    // The double nearest the exact sum, as the same total typed as one number reads.
    return static_cast<double>(totalHundredths(tasks)) / 100.0;
}

namespace {

constexpr int taskDecimals = 2;

} // namespace

QString taskPointsText(qint32 hundredths, const QLocale& locale) {
    return decimalText(hundredths, taskDecimals, locale, Zeros::Dropped);
}

void appendTaskPoints(QByteArray& utf8, qint32 hundredths, const DecimalWriter& writer) {
    writer.appendUtf8(utf8, hundredths, taskDecimals, Zeros::Dropped);
}

QString taskSumText(const TaskPoints& tasks, const QLocale& locale) {
    const DecimalWriter writer(locale);
    QString text;
    for (qint32 task : tasks) {
        if (!text.isEmpty()) {
            text += u'+';
        }
        writer.append(text, task, taskDecimals, Zeros::Dropped);
    }
    return text;
}

} // namespace grading
