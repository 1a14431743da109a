// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/PasteTable.h"

// Whether the tab-separated text carries each table's caption as a line ahead of it; the HTML
// always has it as the table's caption.
enum class CaptionInText { Yes, No };

// Puts the tables on the clipboard twice over: tab-separated text, which spreadsheets take, and
// HTML, which word processors paste as a real table.
void copyTables(const std::vector<grading::PasteTable>& tables, CaptionInText caption);
