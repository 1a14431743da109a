// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/NotenSpeicher.h"
#include "sheet/SheetContent.h"

#include <QDate>
#include <QLocale>

// The exam sheet of a session as the program prints it, with a title, a fixed date, and the box
// showing GYM for 40 points in whole points.
inline ExamSheet sampleSheet(const grading::NotenSpeicher& memory, const grading::Keys& keys,
                             const QLocale& locale) {
    return examSheet(memory, *keys.gym(), {grading::Scale::Points, {40, {}}, 1.0},
                     "Klassenarbeit Nr. 2, 8b", QDate(2026, 12, 7), locale);
}
