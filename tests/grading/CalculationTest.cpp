// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Calculation.h"

#include "grading/Decimal.h"
#include "grading/GradingWindow.h"
#include "grading/NotenSpeicher.h"
#include "grading/TaskSum.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <random>

using grading::Field;
using grading::invalidBackground;
using grading::validBackground;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

grading::Keys keysWithDictation(const QLocale& locale) {
    return grading::Keys(locale, {dictationKey(), quotientKey()});
}

struct Inputs {
    QString maximum;
    QString achieved;
    QString key = "GYM";
    QString percent = "100";
};

ModelWindow windowWith(const Inputs& inputs) {
    ModelWindow window;
    window.setText(Field::Rohpunkte, inputs.maximum);
    window.setText(Field::Punkte, inputs.achieved);
    window.setText(Field::Schluessel, inputs.key);
    window.setText(Field::Prozent, inputs.percent);
    return window;
}

struct ResultRow {
    std::string name;
    Inputs inputs;
    QString percentage;
    QString grade;
    QLocale locale = german;
    QString recorded = {}; // the memory line's result where it is no percentage
    QString taskPoints = {};
};

class CalculateResult : public testing::TestWithParam<ResultRow> {};

TEST_P(CalculateResult, ShowsAndRecordsPercentageAndGrade) {
    const auto& row = GetParam();
    ModelWindow window = windowWith(row.inputs);
    grading::NotenSpeicher memory;

    grading::calculate(window, memory, keysWithDictation(row.locale), row.locale);

    EXPECT_EQ(window.text(Field::ErgebnisProzent), row.percentage);
    EXPECT_EQ(window.text(Field::ErgebnisNote), row.grade);
    EXPECT_TRUE(window.messages().empty());
    const QString key = keysWithDictation(row.locale).fromText(row.inputs.key)->name;
    const QString result = row.recorded.isEmpty() ? row.percentage + " %" : row.recorded;
    const QString tasks = row.taskPoints.isEmpty() ? "" : ", Aufgaben " + row.taskPoints;
    EXPECT_EQ(memory.entries(), "\r" + result + " = " + row.grade + " (" + key + ")" + tasks);
}

QString ones(int count, const QString& last = "1") {
    QStringList parts(count - 1, "1");
    return (parts << last).join('+');
}

// A sum in either field grades its total; task points are kept where both fields hold sums.
INSTANTIATE_TEST_SUITE_P(
    TaskSums, CalculateResult,
    testing::Values(
        ResultRow{"four_tasks", {"10+8+12+6", "8+5+12+3"}, "77,8", "11", german, {}, "8+5+12+3"},
        ResultRow{
            "blanks_and_decimals", {" 1,5 + 2,25 ", "1,50 +0"}, "40,0", "04", german, {}, "1,5+0"},
        ResultRow{"tasks_of_maxima_only", {"10+8+12+6", "27"}, "75,0", "11"},
        ResultRow{"points_added_up_without_tasks", {"36", "8+5+12+3"}, "77,8", "11"},
        ResultRow{"a_plain_number_with_a_sign_is_no_sum", {"+36", "+27"}, "75,0", "11"},
        ResultRow{
            "forty_tasks", {ones(40, "2"), ones(40, "0")}, "95,1", "15", german, {}, ones(40, "0")},
        ResultRow{"parts_at_their_edges",
                  {"100.000+0,01", "1E+5+0,01"},
                  "100,0",
                  "15",
                  german,
                  {},
                  "100000+0,01"},
        ResultRow{"english_locale", {"10.5+9.5", "10.5+0"}, "52.5", "06", english, {}, "10.5+0"}),
    ROW_NAMES);

INSTANTIATE_TEST_SUITE_P(
    Ordinary, CalculateResult,
    testing::Values(
        ResultRow{"40_and_35", {"40", "35"}, "87,5", "13"},
        ResultRow{"40_and_38_GYM", {"40", "38"}, "95,0", "15"},
        ResultRow{"40_and_38_IHK", {"40", "38", "IHK"}, "95,0", "1"},
        ResultRow{"50_and_12_5_GYM", {"50", "12,5"}, "25,0", "01"},
        ResultRow{"50_and_12_5_IHK", {"50", "12,5", "IHK"}, "25,0", "6"},
        ResultRow{"3_and_2_01_IHK", {"3", "2,01", "IHK"}, "67,0", "3"},
        ResultRow{"above_maximum", {"40", "44"}, "110,0", "15"},
        ResultRow{"negative_points", {"40", "-4", "IHK"}, "-10,0", "6"},
        ResultRow{"lower_case_key_grades_GYM", {"40", "18", "ihk"}, "45,0", "05"},
        ResultRow{"grouped_input", {"1.000", "950"}, "95,0", "15"},
        ResultRow{"english_locale", {"50", "12.5"}, "25.0", "01", english},
        ResultRow{"txtProzent_value_changes_nothing", {"40", "20", "GYM", "50"}, "50,0", "06"}),
    ROW_NAMES);

// Under an error key only the errors count: the maximum and the percentage may hold anything.
INSTANTIATE_TEST_SUITE_P(
    Errors, CalculateResult,
    testing::Values(
        ResultRow{"half_errors", {"abc", "2,5", "Diktat", ""}, "", "3", german, "2,5 Fehler"},
        ResultRow{"none_on_a_bound_of_0", {"", "0", "Diktat", ""}, "", "1", german, "0 Fehler"},
        ResultRow{"minus_0_is_none", {"0", "-0", "Diktat"}, "", "1", german, "0 Fehler"},
        ResultRow{"far_past_every_bound",
                  {"0", "1E20", "Diktat"},
                  "",
                  "6",
                  german,
                  "100000000000000000000 Fehler"},
        ResultRow{"grouped", {"0", "1.000", "Diktat"}, "", "6", german, "1000 Fehler"},
        ResultRow{"english_locale", {"0", "6.5", "Diktat"}, "", "3", english, "6.5 Fehler"},
        ResultRow{"name_in_other_case_grades_GYM", {"40", "20", "diktat"}, "50,0", "06"}),
    ROW_NAMES);

// Under errors per 100 words the words stand in "Rohpunkte"; the grade is worked out exactly, the
// quotient shown rounded up, so that it never reads as a bound it passes.
INSTANTIATE_TEST_SUITE_P(ErrorsPer100Words, CalculateResult,
                         testing::Values(ResultRow{"half_errors_in_120",
                                                   {"120", "2,5", "Quotient", "abc"},
                                                   "2,09",
                                                   "3",
                                                   german,
                                                   "2,5 Fehler / 120 Wörter = 2,09"},
                                         ResultRow{"exactly_on_a_bound",
                                                   {"125", "3", "Quotient"},
                                                   "2,40",
                                                   "3",
                                                   german,
                                                   "3 Fehler / 125 Wörter = 2,40"},
                                         ResultRow{"a_hair_past_a_bound",
                                                   {"499", "12", "Quotient"},
                                                   "2,41",
                                                   "4",
                                                   german,
                                                   "12 Fehler / 499 Wörter = 2,41"},
                                         ResultRow{"exactly_on_a_bound_of_two_decimals",
                                                   {"400", "41", "Quotient"},
                                                   "10,25",
                                                   "5",
                                                   german,
                                                   "41 Fehler / 400 Wörter = 10,25"},
                                         ResultRow{"rounded_up_not_to_the_nearest",
                                                   {"300", "1", "Quotient"},
                                                   "0,34",
                                                   "1",
                                                   german,
                                                   "1 Fehler / 300 Wörter = 0,34"},
                                         ResultRow{"none",
                                                   {"1.000", "0", "Quotient"},
                                                   "0,00",
                                                   "1",
                                                   german,
                                                   "0 Fehler / 1000 Wörter = 0,00"},
                                         ResultRow{"one_word",
                                                   {"1", "0,5", "Quotient"},
                                                   "50,00",
                                                   "6",
                                                   german,
                                                   "0,5 Fehler / 1 Wort = 50,00"}),
                         ROW_NAMES);

// The division cases that the entered numbers alone decide: nothing is reported.
INSTANTIATE_TEST_SUITE_P(
    Arithmetic, CalculateResult,
    testing::Values(
        ResultRow{"maximum_0_positive_points", {"0", "5"}, QString(QChar(0x221E)), "15"},
        ResultRow{"maximum_0_zero_points_GYM", {"0", "0"}, "n. def.", "00"},
        ResultRow{"maximum_0_zero_points_IHK", {"0", "0", "IHK"}, "n. def.", "6"},
        ResultRow{
            "maximum_0_negative_points", {"0", "-5", "IHK"}, "-" + QString(QChar(0x221E)), "6"},
        ResultRow{"beyond_single_range_percentage", {"1", "3E38"}, QString(QChar(0x221E)), "15"},
        ResultRow{"maximum_beyond_single_range_is_0", {"1E39", "5"}, QString(QChar(0x221E)), "15"},
        ResultRow{"achieved_beyond_single_range_is_0", {"40", "1E39", "IHK"}, "0,0", "6"}),
    ROW_NAMES);

// Results that lie exactly on a threshold earn its grade, although single-precision inputs would
// land a hair below it; results truly below a threshold stay below.
INSTANTIATE_TEST_SUITE_P(
    OnThreshold, CalculateResult,
    testing::Values(
        ResultRow{"14_and_8_4_is_60", {"14", "8,4"}, "60,0", "08"},
        ResultRow{"38_and_36_1_is_95", {"38", "36,1"}, "95,0", "15"},
        ResultRow{"14_and_4_2_is_30_IHK", {"14", "4,2", "IHK"}, "30,0", "5"},
        ResultRow{"7_and_1_96_is_28", {"7", "1,96"}, "28,0", "02"},
        ResultRow{"3_and_1_02_is_34", {"3", "1,02"}, "34,0", "03"},
        ResultRow{"0_3_and_0_201_is_67_IHK", {"0,3", "0,201", "IHK"}, "67,0", "3"},
        ResultRow{"2_7_and_2_187_is_81_IHK", {"2,7", "2,187", "IHK"}, "81,0", "2"},
        ResultRow{"2_3_and_2_116_is_92_IHK", {"2,3", "2,116", "IHK"}, "92,0", "1"},
        // These compute a hair low in double precision (89.99999999999999 and the like).
        ResultRow{"1_3_and_1_17_is_90", {"1,3", "1,17"}, "90,0", "14"},
        ResultRow{"4_1_and_2_05_is_50_IHK", {"4,1", "2,05", "IHK"}, "50,0", "4"},
        ResultRow{"4_7_and_1_41_is_30_IHK", {"4,7", "1,41", "IHK"}, "30,0", "5"},
        ResultRow{"100_and_19_99_stays_below", {"100", "19,99"}, "20,0", "00"},
        ResultRow{"100_and_94_99_stays_below", {"100", "94,99"}, "95,0", "14"},
        ResultRow{"truly_below_but_shown_as_67", {"100000000", "66999999", "IHK"}, "67,0", "4"},
        ResultRow{"truly_below_95_by_a_millionth", {"100000000", "94999999"}, "95,0", "14"}),
    ROW_NAMES);

struct InvalidRow {
    std::string name;
    Inputs inputs;
    Field invalid;
    std::vector<Field> madeValid;
    QString message = "Eingabefehler! Bitte nur Zahlen eingeben!";
};

class CalculateValidation : public testing::TestWithParam<InvalidRow> {};

TEST_P(CalculateValidation, MarksTheFirstInvalidFieldAndChangesNothingElse) {
    const auto& row = GetParam();
    ModelWindow window = windowWith(row.inputs);
    window.setText(Field::ErgebnisProzent, "12,3");
    window.setText(Field::ErgebnisNote, "04");
    grading::NotenSpeicher memory;

    grading::calculate(window, memory, keysWithDictation(german), german);

    ASSERT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.messages()[0].text, row.message);
    EXPECT_EQ(window.messages()[0].title, "Fehler!");
    EXPECT_EQ(window.messages()[0].icon, grading::MessageIcon::Error);
    EXPECT_EQ(window.focus(), row.invalid);
    EXPECT_EQ(window.background(row.invalid), invalidBackground);
    for (Field field : {Field::Rohpunkte, Field::Prozent, Field::Punkte}) {
        if (field == row.invalid) {
            continue;
        }
        const bool tested =
            std::find(row.madeValid.begin(), row.madeValid.end(), field) != row.madeValid.end();
        EXPECT_EQ(window.background(field), tested ? std::optional(validBackground) : std::nullopt);
    }
    EXPECT_EQ(window.text(Field::ErgebnisProzent), "12,3");
    EXPECT_EQ(window.text(Field::ErgebnisNote), "04");
    EXPECT_TRUE(memory.entries().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    FirstInvalidField, CalculateValidation,
    testing::Values(
        InvalidRow{"letters_in_both_only_first_marked", {"abc", "xyz"}, Field::Rohpunkte, {}},
        InvalidRow{"empty_maximum", {"", "5"}, Field::Rohpunkte, {}},
        InvalidRow{"blank_maximum", {"  ", "5"}, Field::Rohpunkte, {}},
        InvalidRow{"bad_percent_field",
                   {"40", "35", "GYM", "hundert"},
                   Field::Prozent,
                   {Field::Rohpunkte}},
        InvalidRow{
            "empty_percent_field", {"40", "35", "GYM", ""}, Field::Prozent, {Field::Rohpunkte}},
        InvalidRow{"letters_in_achieved",
                   {"40", "35a"},
                   Field::Punkte,
                   {Field::Rohpunkte, Field::Prozent}},
        InvalidRow{"decimal_point_in_german",
                   {"40", "12.5"},
                   Field::Punkte,
                   {Field::Rohpunkte, Field::Prozent}},
        InvalidRow{
            "infinity_word", {"40", "inf"}, Field::Punkte, {Field::Rohpunkte, Field::Prozent}}),
    ROW_NAMES);

const QString noTaskOf0 = "Eingabefehler! Jede Aufgabe braucht mehr als 0 Punkte.";
const QString fourTasks =
    "Eingabefehler! Die Arbeit hat 4 Aufgaben, eingegeben sind 3 Punktzahlen.";
const std::vector<Field> maximumAndPercent{Field::Rohpunkte, Field::Prozent};
INSTANTIATE_TEST_SUITE_P(
    TaskSums, CalculateValidation,
    testing::Values(
        InvalidRow{"a_sum_ending_in_plus", {"36+", "5"}, Field::Rohpunkte, {}},
        InvalidRow{"two_plus_in_a_row", {"10++8", "5"}, Field::Rohpunkte, {}},
        InvalidRow{"a_part_with_a_sign", {"40", "10+-2"}, Field::Punkte, maximumAndPercent},
        InvalidRow{"forty_one_parts", {ones(41), "5"}, Field::Rohpunkte, {}},
        InvalidRow{"three_decimals", {"1,125+2", "1"}, Field::Rohpunkte, {}},
        InvalidRow{"three_decimals_typed", {"1,000+2", "1"}, Field::Rohpunkte, {}},
        InvalidRow{"a_third_decimal_by_exponent", {"1,5E-2+2", "1"}, Field::Rohpunkte, {}},
        InvalidRow{
            "a_part_with_the_minus_sign", {"10+8", "10+\u22120"}, Field::Punkte, maximumAndPercent},
        InvalidRow{"a_part_past_100000", {"100000,01+1", "1"}, Field::Rohpunkte, {}},
        InvalidRow{"a_task_of_0", {"10+0", "5", "GYM", "x"}, Field::Rohpunkte, {}, noTaskOf0},
        InvalidRow{"fewer_points_than_tasks",
                   {"10+8+12+6", "8+5+12"},
                   Field::Punkte,
                   maximumAndPercent,
                   fourTasks},
        InvalidRow{"more_than_a_task_has",
                   {"10+8+12+6", "10+9+0+0"},
                   Field::Punkte,
                   maximumAndPercent,
                   "Eingabefehler! Aufgabe 2 hat 8 Punkte, eingegeben sind 9."},
        InvalidRow{"more_than_a_one_point_task_has",
                   {"2+1", "2+1,5"},
                   Field::Punkte,
                   maximumAndPercent,
                   "Eingabefehler! Aufgabe 2 hat 1 Punkt, eingegeben sind 1,5."}),
    ROW_NAMES);

// A sum grades exactly as its total typed as one number, whatever the layout.
TEST(Calculate, SumsGradeAsTheirTotalsTyped) {
    std::mt19937 random(44);
    const grading::Keys keys(german);
    for (int run = 0; run < 500; ++run) {
        const int tasks = std::uniform_int_distribution(2, grading::mostTasks)(random);
        grading::TaskPoints maxima, points;
        for (int task = 0; task < tasks; ++task) {
            const bool large = std::bernoulli_distribution(0.1)(random);
            maxima.push_back(std::uniform_int_distribution<qint32>(
                1, large ? grading::mostPointsPerTask : 5000)(random));
            points.push_back(std::uniform_int_distribution<qint32>(0, maxima.back())(random));
        }
        const QString key = run % 2 == 0 ? "GYM" : "IHK";
        ModelWindow summed = windowWith(
            {grading::taskSumText(maxima, german), grading::taskSumText(points, german), key});
        ModelWindow typed =
            windowWith({grading::decimalText(grading::totalHundredths(maxima), 2, german),
                        grading::decimalText(grading::totalHundredths(points), 2, german), key});
        grading::NotenSpeicher bySums, byTotals;
        ASSERT_TRUE(grading::calculate(summed, bySums, keys, german))
            << summed.messages()[0].text.toStdString();
        ASSERT_TRUE(grading::calculate(typed, byTotals, keys, german));
        EXPECT_EQ(summed.text(Field::ErgebnisProzent), typed.text(Field::ErgebnisProzent));
        EXPECT_EQ(summed.text(Field::ErgebnisNote), typed.text(Field::ErgebnisNote));
        EXPECT_EQ(bySums.at(0).score.outOf, byTotals.at(0).score.outOf);
        EXPECT_EQ(bySums.at(0).score.achieved, byTotals.at(0).score.achieved);
        EXPECT_EQ(bySums.at(0).score.taskMaxima, maxima);
        EXPECT_EQ(bySums.at(0).score.taskPoints, points);
    }
}

// Under an error key the errors alone are checked, whole or half from 0.
const QString wholeOrHalf =
    "Eingabefehler! Bitte die Fehler in ganzen oder halben Zahlen eingeben!";
INSTANTIATE_TEST_SUITE_P(
    Errors, CalculateValidation,
    testing::Values(
        InvalidRow{
            "a_quarter_error", {"abc", "2,25", "Diktat", ""}, Field::Punkte, {}, wholeOrHalf},
        InvalidRow{"negative_errors", {"abc", "-1", "Diktat", ""}, Field::Punkte, {}, wholeOrHalf},
        InvalidRow{"words", {"40", "drei", "Diktat"}, Field::Punkte, {}, wholeOrHalf},
        InvalidRow{"nothing", {"40", "", "Diktat"}, Field::Punkte, {}, wholeOrHalf},
        InvalidRow{"infinity", {"40", "inf", "Diktat"}, Field::Punkte, {}, wholeOrHalf}),
    ROW_NAMES);

// Under errors per 100 words the words come first, a whole number from 1, then the errors.
const QString wholeWords = "Eingabefehler! Bitte die Zahl der Wörter als ganze Zahl ab 1 eingeben!";
INSTANTIATE_TEST_SUITE_P(
    ErrorsPer100Words, CalculateValidation,
    testing::Values(
        InvalidRow{"no_words", {"0", "2", "Quotient", "x"}, Field::Rohpunkte, {}, wholeWords},
        InvalidRow{"negative_words", {"-1", "2", "Quotient"}, Field::Rohpunkte, {}, wholeWords},
        InvalidRow{"half_a_word", {"2,5", "2", "Quotient"}, Field::Rohpunkte, {}, wholeWords},
        // 2^53 + 1 words would be read as 2^53.
        InvalidRow{"more_words_than_a_double_tells_apart",
                   {"9007199254740993", "2", "Quotient"},
                   Field::Rohpunkte,
                   {},
                   wholeWords},
        InvalidRow{
            "words_as_letters", {"viele", "2", "Quotient"}, Field::Rohpunkte, {}, wholeWords},
        InvalidRow{"a_quarter_error",
                   {"120", "2,25", "Quotient", "x"},
                   Field::Punkte,
                   {Field::Rohpunkte},
                   wholeOrHalf}),
    ROW_NAMES);

TEST(Calculate, LaterRunTurnsAYellowFieldWhiteAgain) {
    ModelWindow window = windowWith({"x", "35"});
    grading::NotenSpeicher memory;
    grading::calculate(window, memory, grading::Keys(german), german);
    ASSERT_EQ(window.background(Field::Rohpunkte), invalidBackground);

    window.setText(Field::Rohpunkte, "40");
    grading::calculate(window, memory, grading::Keys(german), german);

    EXPECT_EQ(window.background(Field::Rohpunkte), validBackground);
    EXPECT_EQ(window.background(Field::Punkte), validBackground);
    EXPECT_EQ(memory.entries(), "\r87,5 % = 13 (GYM)");
}

// Showing a result may run the event loop, where the key file can be read anew: the calculation
// grades and records under the key it started with.
TEST(Calculate, KeepsItsKeyWhileTheKeysAreReadAnew) {
    grading::Keys keys(german, {tendencyKey()});
    class Reloading : public ModelWindow {
    public:
        explicit Reloading(grading::Keys& keys) : m_keys(keys) {}
        void setText(Field field, const QString& text) override {
            ModelWindow::setText(field, text);
            grading::GradingKey other = dictationKey();
            other.scale = grading::Scale::Points;
            m_keys.setOwn({other, other, other});
        }

    private:
        grading::Keys& m_keys;
    } window(keys);
    window.setText(Field::Schluessel, "Tendenz");
    window.setText(Field::Rohpunkte, "100");
    window.setText(Field::Punkte, "82");
    keys.setOwn({tendencyKey()});
    grading::NotenSpeicher memory;
    ASSERT_TRUE(grading::calculate(window, memory, keys, german));
    EXPECT_EQ(memory.entries(), "\r82,0 % = 2- (Tendenz)");
}

TEST(Calculate, StartTextsGradeAsAnUndefinedPercentage) {
    ModelWindow window;
    grading::NotenSpeicher memory;
    grading::calculate(window, memory, grading::Keys(german), german);
    EXPECT_EQ(window.text(Field::ErgebnisProzent), "n. def.");
    EXPECT_EQ(window.text(Field::ErgebnisNote), "00");
    EXPECT_TRUE(window.messages().empty());
}

} // namespace
