// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/SheetContent.h"

ExamSheet examSheet(const grading::NotenSpeicher& memory, const grading::GradingKey& shown,
                    const grading::ChosenStep& chosen, const QString& title, const QDate& date,
                    const QLocale& locale) {
    const double shownStep = grading::stepFor(shown, chosen.outOf, chosen);
    ExamSheet sheet{title,
                    date,
                    grading::keyTableFor(shown, chosen.outOf, shownStep, locale),
                    grading::noTableReason(shown, chosen.outOf, shownStep),
                    {},
                    memory.taskAnalysis().summaries()};
    for (const grading::Notenspiegel::Summary& summary : memory.notenspiegel().summaries()) {
        const grading::GradingKey& key = *summary.key;
        const grading::NotenSpeicher::Entry* newest = memory.newestUnder(key);
        const grading::OutOf outOf = newest != nullptr ? newest->score.outOf : grading::OutOf{};
        const double step = grading::stepFor(key, outOf, chosen);
        std::optional<grading::PasteTable> table = grading::keyTableFor(key, outOf, step, locale);
        if (table && summary.version) {
            table->caption.replace(grading::suffix(key),
                                   QStringLiteral(" (%1)").arg(grading::versionedName(summary)));
        }
        sheet.keys.push_back({summary, std::move(table), grading::noTableReason(key, outOf, step)});
    }
    return sheet;
}
