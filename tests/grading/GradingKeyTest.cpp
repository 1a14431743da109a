// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/GradingKey.h"

#include "tests/support/GTestSupport.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <limits>

using grading::GradingKey;

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
    EXPECT_EQ(grading::gradeForPercentage(GradingKey::GYM, row.percentage), row.gym);
    EXPECT_EQ(grading::gradeForPercentage(GradingKey::IHK, row.percentage), row.ihk);
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
    GradingKey key;
};

class KeyFromText : public testing::TestWithParam<KeyRow> {};

TEST_P(KeyFromText, OnlyExactIhkSelectsIhk) {
    EXPECT_EQ(grading::keyFromText(GetParam().text), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Texts, KeyFromText,
                         testing::Values(KeyRow{"IHK", "IHK", GradingKey::IHK},
                                         KeyRow{"GYM", "GYM", GradingKey::GYM},
                                         KeyRow{"lower_case_ihk", "ihk", GradingKey::GYM},
                                         KeyRow{"leading_blank", " IHK", GradingKey::GYM},
                                         KeyRow{"trailing_blank", "IHK ", GradingKey::GYM},
                                         KeyRow{"empty", "", GradingKey::GYM},
                                         KeyRow{"anything_typed", "Abitur", GradingKey::GYM}),
                         ROW_NAMES);

struct GradeTextRow {
    std::string name;
    GradingKey key;
    qint16 grade;
    QString text;
};

class GradeText : public testing::TestWithParam<GradeTextRow> {};

TEST_P(GradeText, FollowsTheKeysPattern) {
    const auto& row = GetParam();
    EXPECT_EQ(grading::gradeText(row.key, row.grade, QLocale(QLocale::German, QLocale::Germany)),
              row.text);
    EXPECT_EQ(
        grading::gradeText(row.key, row.grade, QLocale(QLocale::English, QLocale::UnitedStates)),
        row.text);
}

INSTANTIATE_TEST_SUITE_P(Grades, GradeText,
                         testing::Values(GradeTextRow{"GYM_0", GradingKey::GYM, 0, "00"},
                                         GradeTextRow{"GYM_5", GradingKey::GYM, 5, "05"},
                                         GradeTextRow{"GYM_10", GradingKey::GYM, 10, "10"},
                                         GradeTextRow{"GYM_15", GradingKey::GYM, 15, "15"},
                                         GradeTextRow{"IHK_1", GradingKey::IHK, 1, "1"},
                                         GradeTextRow{"IHK_2", GradingKey::IHK, 2, "2"},
                                         GradeTextRow{"IHK_6", GradingKey::IHK, 6, "6"}),
                         ROW_NAMES);

TEST(Suffix, NamesTheKeyInParentheses) {
    EXPECT_EQ(grading::suffix(GradingKey::GYM), " (GYM)");
    EXPECT_EQ(grading::suffix(GradingKey::IHK), " (IHK)");
}

} // namespace
