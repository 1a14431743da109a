// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/KeyTable.h"
#include "grading/NotenSpeicher.h"
#include "sheet/ExamSheet.h"

#include <QDate>
#include <QLocale>

// The exam sheet of a session as the tests and the benchmark print it: a title, a fixed date, the
// GYM key table for 40 points in whole points, and the Notenspiegel of `memory`.
inline ExamSheet sampleSheet(const grading::NotenSpeicher& memory, const grading::Keys& keys,
                             const QLocale& locale) {
    const grading::GradingKey& gym = *keys.gym();
    return {"Klassenarbeit Nr. 2, 8b",
            QDate(2026, 12, 7),
            grading::keyPasteTable(gym, 40, *grading::keyTable(gym, 40, 1), locale),
            {},
            memory.notenspiegel().summaries()};
}
