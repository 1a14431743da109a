// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/PasteTable.h"

// Puts the tables on the clipboard twice over: tab-separated text, which spreadsheets take, and
// HTML, which word processors paste as a real table.
void copyTables(const std::vector<grading::PasteTable>& tables, bool captionsInText);
