// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Numbers.h"

#include "grading/ApprovalLimit.h"
#include "grading/Decimal.h"
#include "grading/KeyRules.h"
#include "tests/support/GTestSupport.h"

#include <QLocale>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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

// Every figure the program shows takes one route to text: exact in integers where it fits 64 bits,
// as a double past that, in the locale's form without grouping. Every decimal typed into the key
// file or the editor comes back by one reader to its exact value.
struct FormatRow {
    std::string name;
    std::function<QString(const QLocale&)> figure;
    QString german;
    QString english;
};

class Decimals : public testing::TestWithParam<FormatRow> {};

TEST_P(Decimals, TakeTheLocalesFormWithoutGrouping) {
    const auto& row = GetParam();
    EXPECT_EQ(row.figure(german), row.german);
    EXPECT_EQ(row.figure(english), row.english);
}

using grading::Rounding;
using grading::Zeros;

FormatRow percentage(std::string name, float value, QString inGerman, QString inEnglish) {
    return {std::move(name),
            [value](const QLocale& l) { return grading::formatPercentage(value, l); },
            std::move(inGerman), std::move(inEnglish)};
}

FormatRow units(std::string name, qint64 numerator, qint64 denominator, int decimals,
                Rounding rounding, Zeros zeros, QString inGerman, QString inEnglish) {
    return {std::move(name),
            [=](const QLocale& l) {
                return grading::decimalText(static_cast<qint64>(grading::roundedUnits(
                                                numerator, denominator, decimals, rounding)),
                                            decimals, l, zeros);
            },
            std::move(inGerman), std::move(inEnglish)};
}

const QString infinity(QChar(0x221E));

INSTANTIATE_TEST_SUITE_P(
    Figures, Decimals,
    testing::Values(
        percentage("whole", 95.0f, "95,0", "95.0"),
        percentage("one_decimal", 87.5f, "87,5", "87.5"),
        percentage("below_one", 0.5f, "0,5", "0.5"), percentage("zero", 0.0f, "0,0", "0.0"),
        percentage("rounds_up", 66.99999968f, "67,0", "67.0"),
        percentage("half_away_from_zero", 87.25f, "87,3", "87.3"),
        percentage("negative_half", -87.25f, "-87,3", "-87.3"),
        percentage("tiny_negative", -0.01f, "0,0", "0.0"),
        percentage("no_grouping", 1234.5f, "1234,5", "1234.5"),
        percentage("1E30_of_1_point", grading::roundToSingle(100.0 / 1.0 * 1e30),
                   "100000003318135351409612647563264,0", "100000003318135351409612647563264.0"),
        percentage("largest_single", std::numeric_limits<float>::max(),
                   "340282346638528859811704183484516925440,0",
                   "340282346638528859811704183484516925440.0"),
        percentage("nan", std::numeric_limits<float>::quiet_NaN(), "n. def.", "n. def."),
        percentage("plus_infinity", std::numeric_limits<float>::infinity(), infinity, infinity),
        percentage("minus_infinity", -std::numeric_limits<float>::infinity(), "-" + infinity,
                   "-" + infinity),
        units("average_half_away", 107, 40, 2, Rounding::HalvesAwayFromZero, Zeros::Kept, "2,68",
              "2.68"),
        units("negative_half_away", -107, 40, 2, Rounding::HalvesAwayFromZero, Zeros::Kept, "-2,68",
              "-2.68"),
        units("a_third_up", 1, 3, 2, Rounding::Up, Zeros::Kept, "0,34", "0.34"),
        units("negative_third_up", -1, 3, 2, Rounding::Up, Zeros::Kept, "-0,33", "-0.33"),
        units("zero_kept", 0, 1, 2, Rounding::HalvesAwayFromZero, Zeros::Kept, "0,00", "0.00"),
        units("zeros_dropped", 875, 10, 2, Rounding::HalvesAwayFromZero, Zeros::Dropped, "87,5",
              "87.5"),
        units("whole_dropped", -40, 1, 2, Rounding::HalvesAwayFromZero, Zeros::Dropped, "-40",
              "-40"),
        units("large_count", 1234567, 1, 0, Rounding::HalvesAwayFromZero, Zeros::Kept, "1234567",
              "1234567"),
        FormatRow{"key_table_step",
                  [](const QLocale& l) {
                      return grading::decimalText(37.5, grading::asFewDecimalsAsExact, l);
                  },
                  "37,5", "37.5"},
        FormatRow{"file_form",
                  [](const QLocale&) {
                      return grading::fileText(-70) + ' ' + grading::fileText(4000) + ' ' +
                             grading::fileText(3330, u',');
                  },
                  "-0.7 40 33,3", "-0.7 40 33,3"}),
    ROW_NAMES);

// What a reader gives, as text: hundredths, a limit as its fraction, or "–" for none.
FormatRow read(std::string name, std::function<QString(const QLocale&)> reader, QString inGerman,
               QString inEnglish) {
    return {std::move(name), std::move(reader), std::move(inGerman), std::move(inEnglish)};
}

QString hundredths(std::optional<qint64> read) {
    return read ? QString::number(*read) : QStringLiteral("–");
}

FormatRow inFile(std::string name, const char* text, QString expected) {
    return read(
        std::move(name),
        [text](const QLocale&) {
            return hundredths(grading::boundFromFileText(QString::fromUtf8(text))) + " " +
                   hundredths(grading::valueFromFileText(QString::fromUtf8(text)));
        },
        expected, expected);
}

FormatRow inCell(std::string name, const char* text, QString inGerman, QString inEnglish) {
    return read(
        std::move(name),
        [text](const QLocale& l) {
            return hundredths(
                grading::hundredthsFrom(QString::fromUtf8(text), grading::DecimalForm::Locale, l));
        },
        std::move(inGerman), std::move(inEnglish));
}

FormatRow limit(std::string name, const char* text, QString expected) {
    return read(
        std::move(name),
        [text](const QLocale&) {
            const auto read = grading::approvalFromFileText(QString::fromUtf8(text)).limit;
            return read ? QStringLiteral("%1%2/%3")
                              .arg(read->atLeast ? "ab " : "mehr als ")
                              .arg(read->numerator)
                              .arg(read->denominator)
                        : QStringLiteral("–");
        },
        expected, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, Decimals,
    testing::Values(
        // A bound with its "%" or none, and a value, which takes none.
        inFile("file_one_decimal_point", "33.3", "3330 3330"),
        inFile("file_one_decimal_comma", "33,3", "3330 3330"),
        inFile("file_two_decimals", "12,25", "1225 1225"),
        inFile("file_negative", "-0.7", "-70 -70"),
        inFile("file_percent_after_a_blank", "33,33 %", "3333 –"),
        inFile("file_percent_without_a_blank", "33.33%", "3333 –"),
        inFile("file_three_decimals", "33,333", "– –"),
        inFile("file_thousand", "1000", "100000 100000"), inFile("file_grouped", "1.000,5", "– –"),
        inCell("cell_comma", "87,5", "8750", "–"), inCell("cell_point", "87.5", "–", "8750"),
        inCell("cell_negative", "-2,3", "-230", "–"),
        read(
            "cell_in_a_locales_own_digits",
            [](const QLocale&) {
                const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
                return hundredths(grading::hundredthsFrom(
                    grading::decimalText(-4250, 2, arabic, grading::Zeros::Dropped),
                    grading::DecimalForm::Locale, arabic));
            },
            "-4250", "-4250"),
        limit("limit_percent_after_a_blank", "mehr als 33,33 %", "mehr als 3333/10000"),
        limit("limit_percent_without_a_blank", "ab 33.3%", "ab 333/1000"),
        limit("limit_whole_percent", "mehr als 30 %", "mehr als 3/10"),
        limit("limit_one_hundredth", "ab 0,01 %", "ab 1/10000"),
        limit("limit_fraction", "ab 1/3", "ab 1/3"),
        limit("limit_fraction_reduced", "mehr als 50/100", "mehr als 1/2"),
        limit("limit_three_decimals", "ab 33,333 %", "–")),
    ROW_NAMES);

// The integer routes write what the locale writes for the double itself, in Latin and in Arabic
// digits, for figures drawn at random: percentages to one decimal, points as typed.
TEST(Decimals, IntegerRoutesMatchTheLocalesOwnDigits) {
    std::mt19937_64 random(42);
    for (const QLocale& locale : {german, QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        for (int run = 0; run < 20'000; ++run) {
            const double magnitude =
                std::pow(10.0, std::uniform_real_distribution(-3.0, 13.0)(random));
            const double value = run % 2 == 0 ? magnitude : -magnitude;
            EXPECT_EQ(grading::decimalText(value, 1, locale),
                      plain.toString(std::round(value * 10.0) / 10.0 + 0.0, 'f', 1))
                << value;
            const double typed = std::round(value * 100.0) / 100.0;
            EXPECT_EQ(grading::decimalText(typed, grading::asFewDecimalsAsExact, locale),
                      plain.toString(typed + 0.0, 'f', QLocale::FloatingPointShortest))
                << typed;
        }
    }
}

} // namespace
