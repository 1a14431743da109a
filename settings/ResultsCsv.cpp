// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ResultsCsv.h"

#include "grading/Calculation.h"
#include "grading/Decimal.h"
#include "grading/NotenSpeicher.h"
#include "grading/TaskSum.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace settings {

namespace {

QString quoted(const QString& field) {
    if (!field.contains(u';') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r')) {
        return field;
    }
    QString text = field;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// A key file from a colleague may name a key or a grade "=HYPERLINK(…)".
QString text(const QString& field) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const bool looksLikeAFormula = !field.isEmpty() && formulaStarts.contains(field.front());
    return quoted(looksLikeAFormula ? u'\'' + field : field);
}

// A figure as the list shows it, or a text where it is none ("∞", "n. def.").
QString figure(const QString& shown, const QLocale& locale) {
    bool isNumber = false;
    locale.toDouble(shown, &isNumber);
    return isNumber ? shown : text(shown);
}

} // namespace

QByteArray resultsCsv(const grading::NotenSpeicher& memory, const QLocale& locale) {
    std::size_t mostTasks = 0;
    for (std::size_t place = 0; place < memory.size(); ++place) {
        mostTasks = std::max(mostTasks, memory.at(place).score.taskPoints.size());
    }
    QStringList header{QStringLiteral("Nr."),    QStringLiteral("Höchstpunktzahl"),
                       QStringLiteral("Punkte"), QStringLiteral("Prozent"),
                       QStringLiteral("Note"),   QStringLiteral("Notenschlüssel")};
    for (std::size_t task = 1; task <= mostTasks; ++task) {
        header << QStringLiteral("A%1").arg(task);
    }
    QByteArray csv =
        (QChar(QChar::ByteOrderMark) + header.join(u';') + QStringLiteral("\r\n")).toUtf8();
    const grading::DecimalWriter writer(locale);
    csv.reserve(static_cast<qsizetype>(memory.size() * (40 + 6 * mostTasks)));
    for (std::size_t place = 0; place < memory.size(); ++place) {
        const grading::NotenSpeicher::Entry& entry = memory.at(place);
        const grading::Score& score = entry.score;
        writer.appendUtf8(csv, static_cast<qint64>(place + 1), 0);
        csv += ';';
        if (score.outOf.maximum) {
            writer.appendUtf8(csv, *score.outOf.maximum);
        } else if (score.outOf.words) {
            writer.appendUtf8(csv, *score.outOf.words, 0);
        }
        csv += ';';
        writer.appendUtf8(csv, score.achieved);
        csv += (u';' + figure(grading::resultFigure(score, locale), locale) + u';' +
                text(entry.key->grades[entry.grade].text) + u';' + text(entry.key->name))
                   .toUtf8();
        for (std::size_t task = 0; task < mostTasks; ++task) {
            csv += ';';
            if (task < score.taskPoints.size()) {
                grading::appendTaskPoints(csv, score.taskPoints[task], writer);
            }
        }
        csv += "\r\n";
    }
    return csv;
}

} // namespace settings
