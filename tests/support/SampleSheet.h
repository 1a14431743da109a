// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/KeyTable.h"
#include "grading/NotenSpeicher.h"
#include "sheet/ExamSheet.h"

#include <QDate>
#include <QLocale>

// The exam sheet of a session as the tests and the benchmark print it: a title, a fixed date, the
// key table for 40 points in whole points of GYM, and of each key with results above its
// Notenspiegel of `memory`.
inline ExamSheet sampleSheet(const grading::NotenSpeicher& memory, const grading::Keys& keys,
                             const QLocale& locale) {
    auto tableOf = [&](const grading::GradingKey& key) {
        const auto rows = grading::keyTable(key, 40, 1);
        return rows ? std::optional(grading::keyPasteTable(key, 40, *rows, locale)) : std::nullopt;
    };
    ExamSheet sheet{"Klassenarbeit Nr. 2, 8b", QDate(2026, 12, 7), tableOf(*keys.gym()), {}, {}};
    for (const grading::Notenspiegel::Summary& summary : memory.notenspiegel().summaries()) {
        sheet.keys.push_back({summary, tableOf(*summary.key)});
    }
    return sheet;
}
