// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/PasteTable.h"

#include <Qt>

class QTableWidget;

// How a read-only table shows the cells of a PasteTable.
struct CellLook {
    bool rowHeadings = false; // each row's first cell heads it, as "Anzahl" does its counts
    int sameWidthFrom = 0;    // the columns from here on are as wide as the widest of them
    Qt::Alignment aligned = Qt::AlignCenter; // their text; the others are centred
};

// Fills `table` with the cells the copy buttons copy: the first row as the column headers, the
// others as rows. The table is read-only, does not scroll and is exactly as large as its content.
void showCells(QTableWidget* table, const grading::PasteTable& cells, const CellLook& look);
