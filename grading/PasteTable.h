// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace grading {

// A small table as the clipboard carries it: tab-separated rows for spreadsheets, and HTML with a
// real <table> for word processors, both from the same cells.
struct PasteTable {
    QString caption;
    std::vector<QStringList> rows; // the first is the heading row
};

// The rows, one line each, cells separated by tabs; the caption as a line of its own ahead of
// them where asked. Several tables are separated by an empty line.
QString tabSeparated(const std::vector<PasteTable>& tables, bool withCaptions);

// An HTML fragment with one <table> per table, the caption as its <caption>.
QString html(const std::vector<PasteTable>& tables);

} // namespace grading
