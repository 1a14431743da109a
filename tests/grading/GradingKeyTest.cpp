// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/GradingKey.h"

#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

const grading::Keys builtIn(QLocale(QLocale::German, QLocale::Germany));

// The whole number a built-in grade stands for: GYM's points, IHK's grade.
int number(const grading::Key& key, double percentage) {
    return static_cast<int>(key->grades[grading::gradeForPercentage(*key, percentage)].value / 100);
}

namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

struct GradeRow {
    std::string name;
    float percentage;
    int gym;
    int ihk;
};

class GradeForPercentage : public testing::TestWithParam<GradeRow> {};

TEST_P(GradeForPercentage, GradesUnderBothKeys) {
    const GradeRow& row = GetParam();
    EXPECT_EQ(number(builtIn.gym(), row.percentage), row.gym);
    EXPECT_EQ(number(builtIn.ihk(), row.percentage), row.ihk);
}

// Every bound of both keys, at the bound and one single step below it.
INSTANTIATE_TEST_SUITE_P(
    Bounds, GradeForPercentage,
    testing::Values(GradeRow{"below_20", 19.99f, 0, 6}, GradeRow{"at_20", 20.0f, 1, 6},
                    GradeRow{"just_below_28", 27.999998f, 1, 6}, GradeRow{"mid_27_5", 27.5f, 1, 6},
                    GradeRow{"at_28", 28.0f, 2, 6}, GradeRow{"just_below_30", 29.999998f, 2, 6},
                    GradeRow{"at_30", 30.0f, 2, 5}, GradeRow{"mid_33_5", 33.5f, 2, 5},
                    GradeRow{"just_below_34", 33.999996f, 2, 5}, GradeRow{"at_34", 34.0f, 3, 5},
                    GradeRow{"just_below_40", 39.999996f, 3, 5}, GradeRow{"at_40", 40.0f, 4, 5},
                    GradeRow{"just_below_45", 44.999996f, 4, 5}, GradeRow{"at_45", 45.0f, 5, 5},
                    GradeRow{"just_below_50", 49.999996f, 5, 5}, GradeRow{"at_50", 50.0f, 6, 4},
                    GradeRow{"just_below_55", 54.999996f, 6, 4}, GradeRow{"at_55", 55.0f, 7, 4},
                    GradeRow{"just_below_60", 59.999996f, 7, 4}, GradeRow{"at_60", 60.0f, 8, 4},
                    GradeRow{"just_below_65", 64.99999f, 8, 4}, GradeRow{"at_65", 65.0f, 9, 4},
                    GradeRow{"below_67", 66.99f, 9, 4}, GradeRow{"at_67", 67.0f, 9, 3},
                    GradeRow{"just_below_70", 69.99999f, 9, 3}, GradeRow{"at_70", 70.0f, 10, 3},
                    GradeRow{"just_below_75", 74.99999f, 10, 3}, GradeRow{"at_75", 75.0f, 11, 3},
                    GradeRow{"just_below_80", 79.99999f, 11, 3}, GradeRow{"at_80", 80.0f, 12, 3},
                    GradeRow{"just_below_81", 80.99999f, 12, 3}, GradeRow{"at_81", 81.0f, 12, 2},
                    GradeRow{"just_below_85", 84.99999f, 12, 2}, GradeRow{"at_85", 85.0f, 13, 2},
                    GradeRow{"just_below_90", 89.99999f, 13, 2}, GradeRow{"at_90", 90.0f, 14, 2},
                    GradeRow{"just_below_92", 91.99999f, 14, 2}, GradeRow{"at_92", 92.0f, 14, 1},
                    GradeRow{"below_95", 94.99f, 14, 1}, GradeRow{"at_95", 95.0f, 15, 1},
                    GradeRow{"at_100", 100.0f, 15, 1}),
    ROW_NAMES);

INSTANTIATE_TEST_SUITE_P(OutsideOrdinaryRange, GradeForPercentage,
                         testing::Values(GradeRow{"above_100", 150.0f, 15, 1},
                                         GradeRow{"negative", -10.0f, 0, 6},
                                         GradeRow{"zero", 0.0f, 0, 6}, GradeRow{"nan", nan, 0, 6},
                                         GradeRow{"plus_infinity", inf, 15, 1},
                                         GradeRow{"minus_infinity", -inf, 0, 6}),
                         ROW_NAMES);

struct KeyRow {
    std::string name;
    QString text;
    QString key;
};

class KeyFromText : public testing::TestWithParam<KeyRow> {};

// Exactly a key's name names it; every other text is GYM.
TEST_P(KeyFromText, OnlyAnExactNameSelectsItsKey) {
    grading::GradingKey own{"Bayern", {{"1", 50, 100}, {"2", std::nullopt, 200}}, {}, {}, {}, {}};
    const grading::Keys keys(QLocale::c(), {grading::withOwnHeadings(own)});
    EXPECT_EQ(keys.fromText(GetParam().text)->name, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Texts, KeyFromText,
                         testing::Values(KeyRow{"IHK", "IHK", "IHK"}, KeyRow{"GYM", "GYM", "GYM"},
                                         KeyRow{"lower_case_ihk", "ihk", "GYM"},
                                         KeyRow{"leading_blank", " IHK", "GYM"},
                                         KeyRow{"trailing_blank", "IHK ", "GYM"},
                                         KeyRow{"empty", "", "GYM"},
                                         KeyRow{"anything_typed", "Abitur", "GYM"},
                                         KeyRow{"own_key", "Bayern", "Bayern"},
                                         KeyRow{"own_key_in_lower_case", "bayern", "GYM"}),
                         ROW_NAMES);

TEST(BuiltInKeys, WriteGymInTwoDigitsAndIhkPlainInEitherLocale) {
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const grading::Keys keys(locale);
        QStringList gym;
        for (const grading::Grade& grade : keys.gym()->grades) {
            gym << grade.text;
        }
        QStringList ihk;
        for (const grading::Grade& grade : keys.ihk()->grades) {
            ihk << grade.text;
        }
        EXPECT_EQ(gym.join(' '), "15 14 13 12 11 10 09 08 07 06 05 04 03 02 01 00");
        EXPECT_EQ(ihk.join(' '), "1 2 3 4 5 6");
    }
    EXPECT_EQ(grading::suffix(*builtIn.gym()), " (GYM)");
    EXPECT_EQ(grading::suffix(*builtIn.ihk()), " (IHK)");
}

// Every bound of every key earns its grade, and so does a result a rounding below it; a result
// truly below it earns the next worse grade.
class EveryBound : public testing::TestWithParam<std::string> {};

TEST_P(EveryBound, EarnsItsGradeByTheCalculationsRule) {
    const grading::Keys keys(QLocale::c(), {tendencyKey()});
    const grading::GradingKey& key = *keys.fromText(QString::fromStdString(GetParam()));
    ASSERT_EQ(key.name.toStdString(), GetParam());
    for (std::size_t grade = 0; grade + 1 < key.grades.size(); ++grade) {
        const double bound = *key.grades[grade].bound;
        SCOPED_TRACE(bound);
        EXPECT_EQ(grading::gradeForExactPercentage(key, bound), grade);
        EXPECT_EQ(grading::gradeForExactPercentage(key, bound * (1 - 0x1p-51)), grade);
        EXPECT_EQ(grading::gradeForExactPercentage(key, bound * (1 + 0x1p-40)), grade);
        EXPECT_EQ(grading::gradeForExactPercentage(key, bound * (1 - 0x1p-40)), grade + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, EveryBound, testing::Values("GYM", "IHK", "Tendenz"),
                         [](const auto& row) { return row.param; });

TEST(OwnKey, GradesAnExactDecimalBoundAsTheBoundAndRecordsItsText) {
    const QLocale german(QLocale::German, QLocale::Germany);
    ModelWindow window;
    window.setText(grading::Field::Rohpunkte, "500");
    window.setText(grading::Field::Punkte, "167");
    window.setText(grading::Field::Schluessel, "Tendenz");
    grading::NotenSpeicher memory;
    ASSERT_TRUE(grading::calculate(window, memory, grading::Keys(german, {tendencyKey()}), german));
    EXPECT_EQ(window.text(grading::Field::ErgebnisNote), "5");
    EXPECT_EQ(memory.entries(), "\r33,4 % = 5 (Tendenz)");
}

// The approval limit's edges, exactly in integers: a third of 30 is 10.
struct ApprovalRow {
    std::string name;
    const char* limit;
    qint64 weak;
    qint64 results;
    bool reached;
};

class Approval : public testing::TestWithParam<ApprovalRow> {};

TEST_P(Approval, ComparesTheWeakShareExactly) {
    const auto limit = grading::approvalFromFileText(QString::fromUtf8(GetParam().limit)).limit;
    ASSERT_TRUE(limit);
    EXPECT_EQ(limit->reached(GetParam().weak, GetParam().results), GetParam().reached);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, Approval,
    testing::Values(ApprovalRow{"a_third_is_not_more_than_a_third", "mehr als 1/3", 10, 30, false},
                    ApprovalRow{"a_third_is_from_a_third", "ab 1/3", 10, 30, true},
                    ApprovalRow{"just_under_a_third", "ab 1/3", 9, 28, false},
                    ApprovalRow{"thirty_percent_is_not_more", "mehr als 30 %", 3, 10, false},
                    ApprovalRow{"thirty_percent_with_a_comma", "mehr als 29,99 %", 3, 10, true},
                    ApprovalRow{"one_in_ten_thousand_is_from_0_01", "ab 0,01 %", 1, 10000, true},
                    ApprovalRow{"one_in_ten_thousand_and_one", "ab 0,01%", 1, 10001, false},
                    ApprovalRow{"more_than_half", "mehr als 1/2", 2001, 4001, true}),
    ROW_NAMES);

// A limit belongs to the key's identity; how the file writes it does not.
TEST(Approval, BelongsToTheKeysIdentity) {
    grading::GradingKey one = tendencyKey();
    grading::GradingKey other = one;
    one.approval = grading::approvalFromFileText("mehr als 1/2").limit;
    EXPECT_FALSE(grading::sameIdentity(one, other));
    other.approval = grading::approvalFromFileText("mehr als 50,00 %").limit;
    EXPECT_TRUE(grading::sameIdentity(one, other));
    EXPECT_EQ(other.approval->wording(QLocale::c()), "mehr als die Hälfte");
}

} // namespace
