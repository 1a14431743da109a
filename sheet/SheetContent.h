// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/KeyTable.h"
#include "grading/NotenSpeicher.h"
#include "sheet/ExamSheet.h"

#include <QDate>
#include <QLocale>
#include <QString>

// What goes on the sheet of a session: each key with results under its key table for the maximum
// or word count of its newest result in `memory`, in the step `chosen` where it counts as the key
// shown in that exam and else in the step it asks for; a version's table headed as its
// Notenspiegel is ("Beta, Fassung 1"). Where no key has results, the key shown with its table for
// the exam shown. Then the task analysis of each exam typed task by task.
ExamSheet examSheet(const grading::NotenSpeicher& memory, const grading::GradingKey& shown,
                    const grading::ChosenStep& chosen, const QString& title, const QDate& date,
                    const QLocale& locale);
