// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Numbers.h"

#include "tests/support/GTestSupport.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

struct ReadRow {
    std::string name;
    QString text;
    std::optional<double> german;
    std::optional<double> english;
};

class ReadNumber : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadNumber, AcceptsWhatTheLocaleWrites) {
    const auto& row = GetParam();
    EXPECT_EQ(grading::readNumber(row.text, german), row.german) << "de_DE";
    EXPECT_EQ(grading::readNumber(row.text, english), row.english) << "en_US";
    EXPECT_EQ(grading::isNumeric(row.text, german), row.german.has_value());
}

const std::nullopt_t no = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumber,
    testing::Values(ReadRow{"whole", "40", 40.0, 40.0}, ReadRow{"decimal_comma", "12,5", 12.5, no},
                    ReadRow{"decimal_point", "12.5", no, 12.5},
                    ReadRow{"german_grouping", "1.234,5", 1234.5, no},
                    ReadRow{"english_grouping", "1,234.5", no, 1234.5},
                    ReadRow{"negative", "-3", -3.0, -3.0}, ReadRow{"plus_sign", "+5", 5.0, 5.0},
                    ReadRow{"blanks_around", " 12 ", 12.0, 12.0},
                    ReadRow{"exponent", "3E38", 3e38, 3e38}, ReadRow{"empty", "", no, no},
                    ReadRow{"blanks_only", "   ", no, no}, ReadRow{"letters", "abc", no, no},
                    ReadRow{"digits_and_letters", "12a", no, no},
                    ReadRow{"sign_alone", "-", no, no}, ReadRow{"bare_exponent", "1e", no, no},
                    ReadRow{"infinity_word", "inf", no, no}, ReadRow{"nan_word", "nan", no, no},
                    ReadRow{"beyond_double", "1e400", no, no}, ReadRow{"hex", "0x10", no, no}),
    ROW_NAMES);

TEST(RoundToSingle, OverflowsOnlyWhereIeeeRoundingDoes) {
    constexpr float largest = std::numeric_limits<float>::max();
    constexpr float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(grading::roundToSingle(2.01), 2.01f);
    EXPECT_EQ(grading::roundToSingle(static_cast<double>(largest)), largest);
    EXPECT_EQ(grading::roundToSingle(0x1.ffffffp+127 - 0x1p+75), largest) << "rounds down";
    EXPECT_EQ(grading::roundToSingle(-0x1.fffffep+127 - 0x1p+100), -largest);
    EXPECT_EQ(grading::roundToSingle(0x1.ffffffp+127), inf) << "tie goes to even: infinity";
    EXPECT_EQ(grading::roundToSingle(3e40), inf);
    EXPECT_EQ(grading::roundToSingle(-3e40), -inf);
    EXPECT_EQ(grading::roundToSingle(std::numeric_limits<double>::infinity()), inf);
    EXPECT_TRUE(std::isnan(grading::roundToSingle(std::numeric_limits<double>::quiet_NaN())));
}

TEST(PointsInSingleRange, ZeroOutsideWhatASingleHolds) {
    EXPECT_EQ(grading::pointsInSingleRange(8.4), 8.4) << "the entered decimal, not its single";
    EXPECT_EQ(grading::pointsInSingleRange(3e38), 3e38);
    EXPECT_EQ(grading::pointsInSingleRange(1e39), 0.0);
    EXPECT_EQ(grading::pointsInSingleRange(-1e39), 0.0);
    EXPECT_EQ(grading::pointsInSingleRange(1e-50), 0.0);
    EXPECT_EQ(grading::pointsInSingleRange(1e-40), 1e-40) << "subnormal singles still count";
}

struct FormatRow {
    std::string name;
    float percentage;
    QString german;
    QString english;
};

class FormatPercentage : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatPercentage, OneDecimalNoGrouping) {
    const auto& row = GetParam();
    EXPECT_EQ(grading::formatPercentage(row.percentage, german), row.german);
    EXPECT_EQ(grading::formatPercentage(row.percentage, english), row.english);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatPercentage,
    testing::Values(FormatRow{"whole", 95.0f, "95,0", "95.0"},
                    FormatRow{"one_decimal", 87.5f, "87,5", "87.5"},
                    FormatRow{"below_one", 0.5f, "0,5", "0.5"},
                    FormatRow{"zero", 0.0f, "0,0", "0.0"},
                    FormatRow{"rounds_up", 66.99999968f, "67,0", "67.0"},
                    FormatRow{"half_away_from_zero", 87.25f, "87,3", "87.3"},
                    FormatRow{"negative_half", -87.25f, "-87,3", "-87.3"},
                    FormatRow{"tiny_negative", -0.01f, "0,0", "0.0"},
                    FormatRow{"no_grouping", 1234.5f, "1234,5", "1234.5"},
                    FormatRow{"nan", std::numeric_limits<float>::quiet_NaN(), "n. def.", "n. def."},
                    FormatRow{"plus_infinity", std::numeric_limits<float>::infinity(),
                              QString(QChar(0x221E)), QString(QChar(0x221E))},
                    FormatRow{"minus_infinity", -std::numeric_limits<float>::infinity(),
                              "-" + QString(QChar(0x221E)), "-" + QString(QChar(0x221E))}),
    ROW_NAMES);

} // namespace
