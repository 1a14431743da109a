// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Notenspiegel.h"
#include "grading/PasteTable.h"
#include "grading/TaskAnalysis.h"

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <limits>
#include <optional>
#include <vector>

class QPagedPaintDevice;

// What goes on paper after an exam: the key under it, each key's Notenspiegel, the averages, and
// how the class did task by task.
// The results list stays off the sheet: it is the class in order, and the sheet may be shown to
// the class.
struct ExamSheet {
    QString title; // "Klassenarbeit Nr. 2, 8b"; none where empty
    QDate date;
    std::optional<grading::PasteTable> keyTable;
    // In the key table's place where the maximum allows none; never an instruction to the user.
    QString keyTableNote;
    // Each key with results: its Notenspiegel, under its own key table for the maximum or the
    // word count of its newest result where there is one, else the note in its place. Where no key
    // has results, `keyTable` and `keyTableNote` stand for the key chosen.
    struct Key {
        grading::Notenspiegel::Summary summary;
        std::optional<grading::PasteTable> keyTable = std::nullopt;
        QString keyTableNote = {};
    };
    std::vector<Key> keys;
    // After the keys: each exam typed task by task.
    std::vector<grading::TaskAnalysis::Summary> analyses = {};
};

// The pages to paint, 1 the first; all by default.
struct PageRange {
    int first = 1;
    int last = std::numeric_limits<int>::max();
    bool holds(int page) const { return page >= first && page <= last; }
};
// Paints the sheet on DIN A4 portrait pages of a PDF writer or a printer. A block that would not
// fit on the page begins the next one: no table or chart is cut in two. Every page is headed by
// the title (up to three lines) and the date, and footed by "Seite 1 von 2" and the program.
void paintExamSheet(QPagedPaintDevice& device, const ExamSheet& sheet, const QLocale& locale,
                    PageRange range = {});

// The sheet as a PDF file's bytes: real, searchable text with its font embedded, and vectors.
QByteArray examSheetPdf(const ExamSheet& sheet, const QLocale& locale);
