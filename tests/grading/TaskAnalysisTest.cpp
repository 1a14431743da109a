// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/TaskAnalysis.h"

#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <random>

using grading::Field;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// Results as typed: maximum, points, key.
using Typed = std::vector<std::tuple<QString, QString, QString>>;

grading::NotenSpeicher graded(const Typed& results) {
    ModelWindow window;
    grading::NotenSpeicher memory;
    for (const auto& [maximum, points, key] : results) {
        window.setText(Field::Rohpunkte, maximum);
        window.setText(Field::Punkte, points);
        window.setText(Field::Schluessel, key);
        grading::calculate(window, memory, grading::Keys(german), german);
    }
    return memory;
}

QString copied(const grading::NotenSpeicher& memory) {
    return grading::tabSeparated(grading::pasteTables(memory.taskAnalysis().summaries(), german),
                                 true);
}

struct AnalysisRow {
    std::string name;
    Typed results;
    QString copy; // as "Notenspiegel kopieren" copies the analyses, tabs as "|"
};

class Analysis : public testing::TestWithParam<AnalysisRow> {};

TEST_P(Analysis, AveragesRatesAndFullMarksFromExactSums) {
    EXPECT_EQ(copied(graded(GetParam().results)).replace(u'\t', u'|'), GetParam().copy);
}

const QString heading = "Aufgabe|Punkte|Mittel|Lösungsquote|volle Punktzahl\n";

INSTANTIATE_TEST_SUITE_P(
    Sessions, Analysis,
    testing::Values(
        // 4,125 rounds away from zero to 4,13; 51,5625 % to 51,6 %.
        AnalysisRow{"halves_and_quarters",
                    {{"10+8", "7,5+4,25", "GYM"}, {"10+8", "8+4", "IHK"}},
                    "Aufgaben (10+8), 2 Arbeiten\n" + heading +
                        "1|10|7,75|77,5 %|0\n2|8|4,13|51,6 %|0\nGesamt|18|11,88|66,0 %|0\n"
                        "Schwerste Aufgabe: 2 (51,6 %)\n"},
        AnalysisRow{"exact_ties_all_named",
                    {{"4+8+2", "2+4+1", "GYM"}},
                    "Aufgaben (4+8+2), 1 Arbeit\n" + heading +
                        "1|4|2,00|50,0 %|0\n2|8|4,00|50,0 %|0\n3|2|1,00|50,0 %|0\n"
                        "Gesamt|14|7,00|50,0 %|0\nSchwerste Aufgaben: 1, 2, 3 (50,0 %)\n"},
        // Both read 33,3 %, but 333/1000 lies below 1/3.
        AnalysisRow{"rates_shown_alike_compared_exactly",
                    {{"3+1000", "1+333", "GYM"}},
                    "Aufgaben (3+1000), 1 Arbeit\n" + heading +
                        "1|3|1,00|33,3 %|0\n2|1000|333,00|33,3 %|0\n"
                        "Gesamt|1003|334,00|33,3 %|0\nSchwerste Aufgabe: 2 (33,3 %)\n"},
        AnalysisRow{"none_scored_and_all_full",
                    {{"5+2,5", "0+2,5", "GYM"}, {"5+2,5", "0+2,5", "GYM"}},
                    "Aufgaben (5+2,5), 2 Arbeiten\n" + heading +
                        "1|5|0,00|0,0 %|0\n2|2,5|2,50|100,0 %|2\nGesamt|7,5|2,50|33,3 %|0\n"
                        "Schwerste Aufgabe: 1 (0,0 %)\n"},
        // A maximum typed as a sum with the points as one number, or a plain result, has no
        // tasks to count; two exams in the order their first result came, whatever the key.
        AnalysisRow{"two_exams_and_results_without_tasks",
                    {{"6+4", "3+4", "GYM"},
                     {"6+4", "9", "GYM"},
                     {"40", "30", "IHK"},
                     {"4+6", "4+6", "IHK"},
                     {"6+4", "6+4", "IHK"}},
                    "Aufgaben (6+4), 2 Arbeiten\n" + heading +
                        "1|6|4,50|75,0 %|1\n2|4|4,00|100,0 %|2\nGesamt|10|8,50|85,0 %|1\n"
                        "Schwerste Aufgabe: 1 (75,0 %)\n\n"
                        "Aufgaben (4+6), 1 Arbeit\n" +
                        heading +
                        "1|4|4,00|100,0 %|1\n2|6|6,00|100,0 %|1\nGesamt|10|10,00|100,0 %|1\n"
                        "Schwerste Aufgaben: 1, 2 (100,0 %)\n"},
        AnalysisRow{"no_tasks_no_analysis", {{"40", "30", "GYM"}, {"3+4", "5", "GYM"}}, ""}),
    ROW_NAMES);

// Random sessions of three exams' layouts and plain results: after any removal the analysis is
// the one the remaining results make, in their order; after putting back, the one before.
TEST(Analysis, AfterRemovalAndPutBackEqualsTheRemainingResults) {
    const grading::Keys keys(german);
    const std::vector<grading::TaskPoints> layouts{{1000, 800, 1200, 600}, {500, 500}, {150, 250}};
    std::mt19937 draw(20261209);
    for (int session = 0; session < 40; ++session) {
        grading::NotenSpeicher memory;
        const int results = std::uniform_int_distribution(1, 30)(draw);
        for (int i = 0; i < results; ++i) {
            const std::size_t layout = std::uniform_int_distribution<std::size_t>(0, 3)(draw);
            grading::Score score{{40.0, {}}, 20, {}, {}};
            if (layout < layouts.size()) {
                score.taskMaxima = layouts[layout];
                for (const qint32 maximum : score.taskMaxima) {
                    score.taskPoints.push_back(
                        std::uniform_int_distribution<qint32>(0, maximum / 25)(draw) * 25);
                }
            }
            memory.append("50,0 %", keys.gym(), 9, score);
        }
        const auto before = memory.taskAnalysis().summaries();
        std::vector<std::size_t> places;
        for (std::size_t place = 0; place < memory.size(); ++place) {
            if (std::bernoulli_distribution(0.4)(draw)) {
                places.push_back(place);
            }
        }
        const grading::NotenSpeicher::Removed removed = memory.remove(places);
        grading::NotenSpeicher remaining;
        for (std::size_t place = 0; place < memory.size(); ++place) {
            const grading::NotenSpeicher::Entry& entry = memory.at(place);
            remaining.append("50,0 %", entry.key, entry.grade, entry.score);
        }
        EXPECT_EQ(memory.taskAnalysis().summaries(), remaining.taskAnalysis().summaries())
            << "session " << session;
        memory.restore(removed);
        EXPECT_EQ(memory.taskAnalysis().summaries(), before) << "session " << session;
    }
}

} // namespace
