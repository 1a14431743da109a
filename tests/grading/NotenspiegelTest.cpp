// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <vector>

using grading::Field;

namespace {

struct Result {
    const char* maximum;
    const char* achieved;
    const char* key;
};

struct SessionRow {
    std::string name;
    std::vector<Result> results;
    bool resetAfterwards;
    QString rows; // the copied table
};

class Notenspiegel : public testing::TestWithParam<SessionRow> {};

TEST_P(Notenspiegel, CountsEveryResultWithTheGradeItWasGiven) {
    const QLocale german(QLocale::German, QLocale::Germany);
    ModelWindow window;
    grading::NotenSpeicher memory;
    grading::GradingKey limited = tendencyKey();
    limited.name = QStringLiteral("Grenze");
    limited.approval = grading::approvalFromFileText(QStringLiteral("ab 1/3")).limit;
    const grading::Keys keys(german, {tendencyKey(), limited});
    for (const Result& result : GetParam().results) {
        window.setText(Field::Rohpunkte, result.maximum);
        window.setText(Field::Punkte, result.achieved);
        window.setText(Field::Schluessel, result.key);
        grading::calculate(window, memory, keys, german);
    }
    if (GetParam().resetAfterwards) {
        memory.clear();
    }
    // As "Notenspiegel kopieren" puts it on the clipboard for a spreadsheet.
    EXPECT_EQ(grading::tabSeparated(grading::pasteTables(memory.notenspiegel().summaries(), german),
                                    true),
              GetParam().rows);
}

std::vector<Result> times(int count, Result result) {
    return std::vector<Result>(static_cast<std::size_t>(count), result);
}

std::vector<Result> operator+(std::vector<Result> first, const std::vector<Result>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const QString gymGrades =
    "Punkte\t15\t14\t13\t12\t11\t10\t09\t08\t07\t06\t05\t04\t03\t02\t01\t00\n";
const QString ihkGrades = "Note\t1\t2\t3\t4\t5\t6\n";

INSTANTIATE_TEST_SUITE_P(
    Sessions, Notenspiegel,
    testing::Values(
        SessionRow{
            "gym_only",
            {{"40", "35", "GYM"}, {"40", "18", "GYM"}, {"40", "30", "ihk"}, {"40", "10", ""}},
            false,
            "Notenspiegel (GYM)\n" + gymGrades +
                "Anzahl\t0\t0\t1\t0\t1\t0\t0\t0\t0\t0\t1\t0\t0\t0\t1\t0\n"
                "Anteil\t0 %\t0 %\t25 %\t0 %\t25 %\t0 %\t0 %\t0 %\t0 %\t0 %\t25 %\t0 %\t0 %\t0 "
                "%\t25 %\t0 %\n"
                "Ergebnisse\t4\nDurchschnitt (Punkte)\t7,50\nMedian\t8,00\nunter 05 Punkten\t1\t25 "
                "%\n"},
        SessionRow{
            "ihk_only",
            {{"40", "38", "IHK"}, {"40", "18", "IHK"}, {"40", "10", "IHK"}},
            false,
            "Notenspiegel (IHK)\n" + ihkGrades +
                "Anzahl\t1\t0\t0\t0\t1\t1\n"
                "Anteil\t33,3 %\t0 %\t0 %\t0 %\t33,3 %\t33,3 %\n"
                "Ergebnisse\t3\nDurchschnittsnote\t4,00\nMedian\t5,00\nNoten 5 und 6\t2\t66,7 %\n"},
        SessionRow{
            "mixed_keys_never_mix",
            {{"40", "35", "IHK"}, {"3", "2", "GYM"}, {"40", "35", "GYM"}},
            false,
            "Notenspiegel (GYM)\n" + gymGrades +
                "Anzahl\t0\t0\t1\t0\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\n"
                "Anteil\t0 %\t0 %\t50 %\t0 %\t0 %\t0 %\t50 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                "%\t0 %\n"
                "Ergebnisse\t2\nDurchschnitt (Punkte)\t11,00\nMedian\t11,00\nunter 05 "
                "Punkten\t0\t0 %\n"
                "\nNotenspiegel (IHK)\n" +
                ihkGrades +
                "Anzahl\t0\t1\t0\t0\t0\t0\n"
                "Anteil\t0 %\t100 %\t0 %\t0 %\t0 %\t0 %\n"
                "Ergebnisse\t1\nDurchschnittsnote\t2,00\nMedian\t2,00\nNoten 5 und 6\t0\t0 %\n"},
        SessionRow{"after_reset", {{"40", "35", "GYM"}, {"40", "35", "IHK"}}, true, ""},
        SessionRow{"one_entry",
                   {{"40", "40", "GYM"}},
                   false,
                   "Notenspiegel (GYM)\n" + gymGrades +
                       "Anzahl\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n"
                       "Anteil\t100 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                       "%\t0 %\t0 %\t0 %\n"
                       "Ergebnisse\t1\nDurchschnitt (Punkte)\t15,00\nMedian\t15,00\nunter 05 "
                       "Punkten\t0\t0 %\n"},
        SessionRow{
            "average_on_an_exact_half",
            times(27, {"100", "70", "IHK"}) + times(13, {"100", "85", "IHK"}), false,
            "Notenspiegel (IHK)\n" + ihkGrades +
                "Anzahl\t0\t13\t27\t0\t0\t0\n"
                "Anteil\t0 %\t32,5 %\t67,5 %\t0 %\t0 %\t0 %\n"
                "Ergebnisse\t40\nDurchschnittsnote\t2,68\nMedian\t3,00\nNoten 5 und 6\t0\t0 %\n"},
        SessionRow{"one_weak_of_200",
                   times(199, {"100", "100", "GYM"}) + times(1, {"100", "0", "GYM"}), false,
                   "Notenspiegel (GYM)\n" + gymGrades +
                       "Anzahl\t199\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\n"
                       "Anteil\t99,5 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                       "%\t0 %\t0 %\t0,5 %\n"
                       "Ergebnisse\t200\nDurchschnitt (Punkte)\t14,93\nMedian\t15,00\n"
                       "unter 05 Punkten\t1\t0,5 %\n"},
        SessionRow{
            "tendencies_with_their_values",
            {{"100", "99", "Tendenz"},
             {"100", "81", "Tendenz"},
             {"100", "20", "Tendenz"},
             {"100", "5", "tendenz"}},
            false,
            "Notenspiegel (GYM)\n" + gymGrades +
                "Anzahl\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\n"
                "Anteil\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                "%\t100 %\n"
                "Ergebnisse\t1\nDurchschnitt (Punkte)\t0,00\nMedian\t0,00\nunter 05 "
                "Punkten\t1\t100 %\n"
                "\nNotenspiegel (Tendenz)\n"
                "Note\t1+\t1\t1-\t2+\t2\t2-\t3+\t3\t3-\t4+\t4\t4-\t5+\t5\t5-\t6\n"
                "Anzahl\t1\t0\t0\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t1\t0\n"
                "Anteil\t33,3 %\t0 %\t0 %\t0 %\t0 %\t33,3 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                "%\t33,3 %\t0 %\n"
                "Ergebnisse\t3\nDurchschnitt\t2,77\nMedian\t2,30\nNoten 5+ bis 6\t1\t33,3 %\n"},
        SessionRow{"a_thousand_without_a_group_separator", times(1000, {"100", "0", "GYM"}), false,
                   "Notenspiegel (GYM)\n" + gymGrades +
                       "Anzahl\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1000\n"
                       "Anteil\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                       "%\t0 %\t100 %\n"
                       "Ergebnisse\t1000\nDurchschnitt (Punkte)\t0,00\nMedian\t0,00\n"
                       "unter 05 Punkten\t1000\t100 %\n"},
        SessionRow{"all_but_one_weak_of_200",
                   times(199, {"100", "0", "IHK"}) + times(1, {"100", "100", "IHK"}), false,
                   "Notenspiegel (IHK)\n" + ihkGrades +
                       "Anzahl\t1\t0\t0\t0\t0\t199\n"
                       "Anteil\t0,5 %\t0 %\t0 %\t0 %\t0 %\t99,5 %\n"
                       "Ergebnisse\t200\nDurchschnittsnote\t5,98\nMedian\t6,00\nNoten 5 und "
                       "6\t199\t99,5 %\n"},
        SessionRow{
            "maximum_of_zero",
            {{"0", "5", "GYM"}, {"0", "0", "GYM"}, {"0", "-1", "IHK"}, {"x", "1", "IHK"}},
            false,
            "Notenspiegel (GYM)\n" + gymGrades +
                "Anzahl\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\n"
                "Anteil\t50 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 "
                "%\t50 %\n"
                "Ergebnisse\t2\nDurchschnitt (Punkte)\t7,50\nMedian\t7,50\nunter 05 Punkten\t1\t50 "
                "%\n"
                "\nNotenspiegel (IHK)\n" +
                ihkGrades +
                "Anzahl\t0\t0\t0\t0\t0\t1\n"
                "Anteil\t0 %\t0 %\t0 %\t0 %\t0 %\t100 %\n"
                "Ergebnisse\t1\nDurchschnittsnote\t6,00\nMedian\t6,00\nNoten 5 und 6\t1\t100 %\n"},
        SessionRow{"median_of_an_even_count_of_tendencies",
                   {{"100", "99", "Tendenz"},
                    {"100", "99", "Tendenz"},
                    {"100", "81", "Tendenz"},
                    {"100", "20", "Tendenz"}},
                   false,
                   "Notenspiegel "
                   "(Tendenz)\nNote\t1+\t1\t1-\t2+\t2\t2-\t3+\t3\t3-\t4+\t4\t4-\t5+\t5\t5-"
                   "\t6\nAnzahl\t2\t0\t0\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t1\t0\nAnteil\t50 %\t0 "
                   "%\t0 %\t0 %\t0 %\t25 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t25 %\t0 %\n"
                   "Ergebnisse\t4\nDurchschnitt\t2,25\nMedian\t1,50\nNoten 5+ bis 6\t1\t25 %\n"},
        SessionRow{
            "shares_of_2001_never_0_nor_100_percent",
            times(2000, {"100", "100", "GYM"}) + times(1, {"100", "0", "GYM"}), false,
            "Notenspiegel (GYM)\n" + gymGrades +
                "Anzahl\t2000\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t1\nAnteil\t99,9 %\t0 %\t0 "
                "%\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0,1 %\n"
                "Ergebnisse\t2001\nDurchschnitt (Punkte)\t14,99\nMedian\t15,00\n"
                "unter 05 Punkten\t1\t0,1 %\n"},
        SessionRow{
            "approval_needed_from_a_third",
            times(20, {"100", "100", "Grenze"}) + times(10, {"100", "20", "Grenze"}), false,
            "Notenspiegel "
            "(Grenze)\nNote\t1+\t1\t1-\t2+\t2\t2-\t3+\t3\t3-\t4+\t4\t4-\t5+\t5\t5-"
            "\t6\nAnzahl\t20\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t10\t0\nAnteil\t66,7 %\t0 %\t0 "
            "%\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t33,3 %\t0 %\n"
            "Ergebnisse\t30\nDurchschnitt\t2,23\nMedian\t0,70\nNoten 5+ bis 6\t10\t33,3 %\n"
            "Genehmigung nötig: 10 von 30 schwach (33,3 %), Grenze: ab einem Drittel.\n"},
        SessionRow{
            "no_approval_needed_under_a_third",
            times(19, {"100", "100", "Grenze"}) + times(9, {"100", "20", "Grenze"}), false,
            "Notenspiegel "
            "(Grenze)\nNote\t1+\t1\t1-\t2+\t2\t2-\t3+\t3\t3-\t4+\t4\t4-\t5+\t5\t5-"
            "\t6\nAnzahl\t19\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t9\t0\nAnteil\t67,9 %\t0 %\t0 "
            "%\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t0 %\t32,1 %\t0 %\n"
            "Ergebnisse\t28\nDurchschnitt\t2,18\nMedian\t0,70\nNoten 5+ bis 6\t9\t32,1 %\n"
            "Keine Genehmigung nötig: 9 von 28 schwach (32,1 %), Grenze: ab einem Drittel.\n"}),
    ROW_NAMES);

// A key as a session may meet it again after the editor was open: built anew unchanged, with a
// bound moved, with a grade text, its weak grade or its scale changed, or another key altogether.
enum class Change {
    None,
    Bound,
    GradeText,
    WeakGrade,
    Scale,
    OtherKey,
    RemoveNewest,
    PutBackOldest
};

struct VersionRow {
    std::string name;
    std::vector<std::pair<Change, int>> steps; // each change, then so many results under it
    QStringList tables;                        // caption: results
};

class Versions : public testing::TestWithParam<VersionRow> {};

TEST_P(Versions, CountResultsByWhatTheKeyIsAndHeadOlderVersionsByNumber) {
    grading::NotenSpeicher memory;
    for (const auto& [change, times] : GetParam().steps) {
        if (change == Change::PutBackOldest) {
            memory.restore(memory.remove({0}));
            continue;
        }
        if (change == Change::RemoveNewest) {
            for (int i = 0; i < times; ++i) {
                memory.remove({memory.size() - 1});
            }
            continue;
        }
        grading::GradingKey key = tendencyKey();
        switch (change) {
        case Change::Bound:
            key.grades[3].bound = 88.5;
            break;
        case Change::GradeText:
            key.grades[0].text = "1*";
            break;
        case Change::WeakGrade:
            key.grades[0].text = "1*";
            key.firstWeak = 13;
            break;
        case Change::Scale:
            key.scale = grading::Scale::Errors;
            break;
        case Change::OtherKey:
            key.name = "Andere";
            break;
        default:
            break;
        }
        // A new key at a new address every time, as the key file is read anew.
        const grading::Key built = std::make_shared<const grading::GradingKey>(key);
        for (int i = 0; i < times; ++i) {
            memory.append("50,0 %", built, 11, {});
        }
    }
    QStringList tables;
    for (const auto& summary : memory.notenspiegel().summaries()) {
        tables << QStringLiteral("%1: %2").arg(summary.caption).arg(summary.results);
    }
    EXPECT_EQ(tables, GetParam().tables);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Versions,
    testing::Values(
        VersionRow{"built_anew_unchanged",
                   {{Change::None, 2}, {Change::None, 3}},
                   {"Notenspiegel (Tendenz): 5"}},
        VersionRow{"a_bound_moved_counts_on",
                   {{Change::None, 1}, {Change::Bound, 1}},
                   {"Notenspiegel (Tendenz): 2"}},
        VersionRow{"text_then_weak_grade_changed",
                   {{Change::None, 1}, {Change::GradeText, 2}, {Change::WeakGrade, 3}},
                   {"Notenspiegel (Tendenz, Fassung 1): 1", "Notenspiegel (Tendenz, Fassung 2): 2",
                    "Notenspiegel (Tendenz): 3"}},
        VersionRow{"counted_in_errors_a_version_of_its_own",
                   {{Change::None, 1}, {Change::Scale, 1}},
                   {"Notenspiegel (Tendenz, Fassung 1): 1", "Notenspiegel (Tendenz): 1"}},
        VersionRow{"back_to_the_first_counts_there",
                   {{Change::None, 1}, {Change::GradeText, 1}, {Change::None, 1}},
                   {"Notenspiegel (Tendenz): 2", "Notenspiegel (Tendenz, Fassung 2): 1"}},
        VersionRow{"versions_side_by_side",
                   {{Change::None, 1}, {Change::OtherKey, 1}, {Change::GradeText, 1}},
                   {"Notenspiegel (Tendenz, Fassung 1): 1", "Notenspiegel (Tendenz): 1",
                    "Notenspiegel (Andere): 1"}},
        VersionRow{"an_older_result_put_back_leaves_the_headings",
                   {{Change::None, 1}, {Change::GradeText, 1}, {Change::PutBackOldest, 1}},
                   {"Notenspiegel (Tendenz, Fassung 1): 1", "Notenspiegel (Tendenz): 1"}},
        VersionRow{"the_newer_gone_the_older_plain",
                   {{Change::None, 1}, {Change::GradeText, 1}, {Change::RemoveNewest, 1}},
                   {"Notenspiegel (Tendenz): 1"}}),
    ROW_NAMES);

// The weak share beside an approval limit never reads as the limit unless it is the limit: the
// sentence and the weak row show one figure, on the share's side of the limit.
struct ApprovalRow {
    std::string name;
    const char* limit;
    qint64 weak;
    qint64 results;
    const char* said;
};

class ApprovalSentence : public testing::TestWithParam<ApprovalRow> {};

TEST_P(ApprovalSentence, ShowsTheShareOnItsSideOfTheLimit) {
    const QLocale german(QLocale::German, QLocale::Germany);
    grading::GradingKey key{"Grenze", {{"1", 50, 100}, {"2", std::nullopt, 200}}, 1, {}, {}, {}};
    key.approval = grading::approvalFromFileText(QString::fromUtf8(GetParam().limit)).limit;
    ASSERT_TRUE(key.approval);
    grading::Notenspiegel notenspiegel;
    const auto shared = std::make_shared<const grading::GradingKey>(grading::withOwnHeadings(key));
    for (qint64 result = 0; result < GetParam().results; ++result) {
        notenspiegel.add(shared, result < GetParam().weak ? 1 : 0);
    }
    const grading::Notenspiegel::Summary summary = notenspiegel.summaries().at(0);
    const QString said = grading::approvalSentence(summary, german);
    EXPECT_EQ(said, QString::fromUtf8(GetParam().said));
    EXPECT_TRUE(said.contains("(" + grading::weakShareText(summary, german) + ")"));
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ApprovalSentence,
    testing::Values(
        ApprovalRow{"a_third_beside_more_than_33_3", "mehr als 33,3 %", 1, 3,
                    "Genehmigung nötig: 1 von 3 schwach (33,33 %), Grenze: mehr als 33,3 %."},
        ApprovalRow{"two_thirds_beside_from_66_7", "ab 66,7 %", 2, 3,
                    "Keine Genehmigung nötig: 2 von 3 schwach (66,67 %), Grenze: ab 66,7 %."},
        ApprovalRow{"a_third_beside_more_than_33_33", "mehr als 33,33 %", 1, 3,
                    "Genehmigung nötig: 1 von 3 schwach (33,333 %), Grenze: mehr als 33,33 %."},
        ApprovalRow{"on_the_limit_one_decimal", "ab 1/3", 10, 30,
                    "Genehmigung nötig: 10 von 30 schwach (33,3 %), Grenze: ab einem Drittel."},
        ApprovalRow{"just_past_a_third", "ab 1/3", 3334, 10000,
                    "Genehmigung nötig: 3334 von 10000 schwach (33,34 %), Grenze: ab einem "
                    "Drittel."},
        ApprovalRow{"a_limit_without_words_in_the_locales_form", "ab 99.99%", 9998, 10000,
                    "Keine Genehmigung nötig: 9998 von 10000 schwach (99,98 %), Grenze: ab 99,99 "
                    "%."},
        ApprovalRow{"a_few_of_many_beside_a_hundredth", "ab 0,01 %", 1, 3000,
                    "Genehmigung nötig: 1 von 3000 schwach (0,03 %), Grenze: ab 0,01 %."},
        ApprovalRow{
            "one_of_many_never_0_percent", "mehr als 30 %", 1, 10000,
            "Keine Genehmigung nötig: 1 von 10000 schwach (0,01 %), Grenze: mehr als 30 %."},
        ApprovalRow{"a_fraction_without_words_as_written", "mehr als 7/100", 1, 14,
                    "Genehmigung nötig: 1 von 14 schwach (7,1 %), Grenze: mehr als 7/100."}),
    ROW_NAMES);

// A bound moved keeps the key's table, which then holds the key as last graded under: its key
// table on the sheet is the one that stands now.
TEST(Notenspiegel, KeepsTheKeyAsLastGradedUnder) {
    grading::Notenspiegel notenspiegel;
    const auto before = std::make_shared<const grading::GradingKey>(tendencyKey());
    grading::GradingKey moved = tendencyKey();
    moved.grades[3].bound = 88.5;
    notenspiegel.add(before, 0);
    notenspiegel.add(std::make_shared<const grading::GradingKey>(moved), 3);
    const auto summaries = notenspiegel.summaries();
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries[0].results, 2);
    EXPECT_EQ(summaries[0].key->grades[3].bound, 88.5);
}

} // namespace
