// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/PasteTable.h"

#include <gtest/gtest.h>

namespace {

const std::vector<grading::PasteTable> tables{
    {"Notenspiegel <A&B>", {{"Note", "1", "2"}, {"Anzahl", "3", "\"4\""}}}, {"Zweite", {{"x"}}}};

TEST(PasteTable, TabSeparatedRowsWithOrWithoutCaptions) {
    EXPECT_EQ(grading::tabSeparated(tables, true),
              "Notenspiegel <A&B>\nNote\t1\t2\nAnzahl\t3\t\"4\"\n\nZweite\nx\n");
    EXPECT_EQ(grading::tabSeparated(tables, false), "Note\t1\t2\nAnzahl\t3\t\"4\"\n\nx\n");
    EXPECT_EQ(grading::tabSeparated({}, true), "");
}

TEST(PasteTable, HtmlEscapesCaptionsAndCellsAndHeadsTheFirstRow) {
    EXPECT_EQ(grading::html(tables), "<html><head><meta charset=\"utf-8\"></head><body>\n"
                                     "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
                                     "<caption>Notenspiegel &lt;A&amp;B&gt;</caption>\n"
                                     "<tr><th>Note</th><th>1</th><th>2</th></tr>\n"
                                     "<tr><td>Anzahl</td><td>3</td><td>&quot;4&quot;</td></tr>\n"
                                     "</table>\n"
                                     "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
                                     "<caption>Zweite</caption>\n"
                                     "<tr><th>x</th></tr>\n"
                                     "</table>\n"
                                     "</body></html>\n");
}

} // namespace
