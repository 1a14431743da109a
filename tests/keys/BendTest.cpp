// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/Bend.h"

#include "keys/KeyEditSession.h"
#include "tests/support/GTestSupport.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

class NoQuestions : public keys::Questions {
    bool yes(const QString&) override { return false; }
    bool overwrite(const QString&, const QString&) override { return false; }
    bool discard(const QString&) override { return false; }
    keys::OnClash onClash(const QString&) override { return keys::OnClash::Skip; }
    std::optional<QString> keyName(const QString&, const QString&) override { return {}; }
};

struct BendRow {
    std::string name;
    std::size_t preset;
    std::size_t row; // of the bend, 0 the best
    QString at;
    QString bounds; // the "ab %" column afterwards, " / " between the rows
    QString problem;
    std::optional<int> blankRow = std::nullopt; // a row left blank before the spread
};

class Spread : public testing::TestWithParam<BendRow> {};

TEST_P(Spread, WritesTheBoundsExactlyOrNothing) {
    QTemporaryDir dir;
    settings::KeyStore store(german, [&] { return dir.filePath("keys.txt"); });
    NoQuestions questions;
    keys::KeyEditSession session(store, "GYM", german, questions);
    session.startNew(GetParam().preset);
    if (GetParam().blankRow) {
        session.rows().insertRow(*GetParam().blankRow);
    }
    QStringList before;
    for (const keys::KeyFormRow& row : session.rows().rows()) {
        before << row.bound;
    }
    const std::optional<qint64> at = keys::bendFromText(GetParam().at, german);
    ASSERT_TRUE(at);
    EXPECT_EQ(session.spreadFrom(GetParam().row, *at), GetParam().problem);
    QStringList after;
    for (const keys::KeyFormRow& row : session.rows().rows()) {
        after << row.bound;
    }
    EXPECT_EQ(after.join(" / "),
              GetParam().bounds.isEmpty() ? before.join(" / ") : GetParam().bounds);
}

INSTANTIATE_TEST_SUITE_P(
    Presets, Spread,
    testing::Values(
        BendRow{"four_from_fifty", 1, 3, "50", "87,5 / 75 / 62,5 / 50 / 25 / ", {}},
        BendRow{"five_points_from_45_percent",
                0,
                10,
                "45 %",
                "95 / 90 / 85 / 80 / 75 / 70 / 65 / 60 / 55 / 50 / 45 / 36 / 27 / 18 / 9 / ",
                {}},
        BendRow{"four_from_45_in_quarters", 1, 3, "45", "86,25 / 72,5 / 58,75 / 45 / 22,5 / ", {}},
        BendRow{"tendencies_four_minus_from_fifty",
                2,
                11,
                "50",
                "95,83 / 91,67 / 87,5 / 83,33 / 79,17 / 75 / 70,83 / 66,67 / 62,5 / 58,33 / "
                "54,17 / 50 / 37,5 / 25 / 12,5 / ",
                {}},
        // A row left blank is no grade: it keeps its empty bound and takes no step.
        BendRow{"blank_row_passed_over", 1, 3, "50", "87,5 / 75 / 62,5 / 50 /  / 25 / ", {}, 4},
        // Steps of two thirds of a hundredth: 1+ and 1 would both start at 99,99 %.
        BendRow{"steps_below_a_hundredth_refused",
                2,
                14,
                "99,9",
                {},
                QString::fromUtf8("Die Noten „1+“ und „1“ bekämen dieselbe Grenze. Bitte einen "
                                  "anderen Knick wählen.")},
        // Half a hundredth below a bend of 0,01 %: 01 would start where 02 does.
        BendRow{"a_step_below_the_bend_refused",
                0,
                13,
                "0,01",
                {},
                QString::fromUtf8("Die Noten „02“ und „01“ bekämen dieselbe Grenze. Bitte einen "
                                  "anderen Knick wählen.")}),
    ROW_NAMES);

TEST(Bend, IsAPercentageAbove0AndBelow100WithTwoDecimalsAtMost) {
    const std::pair<const char*, std::optional<qint64>> texts[] = {{"50", 5000},
                                                                   {" 45,5 % ", 4550},
                                                                   {"0,01", 1},
                                                                   {"99,99%", 9999},
                                                                   {"0", std::nullopt},
                                                                   {"100", std::nullopt},
                                                                   {"50,005", std::nullopt},
                                                                   {"-5", std::nullopt},
                                                                   {"1.5", std::nullopt},
                                                                   {"", std::nullopt}};
    for (const auto& [text, hundredths] : texts) {
        EXPECT_EQ(keys::bendFromText(QString::fromUtf8(text), german), hundredths) << text;
    }
}

// Keys of 2 to 30 grades and bends drawn at random: the bend stands where chosen, the last grade
// has no bound, every other lies within half a hundredth of the exact even step, and none rises.
TEST(Bend, EveryBoundWithinHalfAHundredthOfTheExactStep) {
    std::mt19937 draw(20261209);
    for (int round = 0; round < 2000; ++round) {
        const std::size_t grades = std::uniform_int_distribution<std::size_t>(2, 30)(draw);
        const keys::Bend bend{std::uniform_int_distribution<std::size_t>(0, grades - 2)(draw),
                              std::uniform_int_distribution<qint64>(1, 9999)(draw)};
        const auto bounds = keys::boundsFromBend(grades, bend);
        ASSERT_EQ(bounds.size(), grades);
        EXPECT_FALSE(bounds.back());
        EXPECT_EQ(bounds[bend.grade], bend.hundredths);
        const auto b = static_cast<double>(bend.hundredths);
        const auto above = static_cast<double>(bend.grade);
        const auto below = static_cast<double>(grades - 1 - bend.grade);
        for (std::size_t grade = 0; grade + 1 < grades; ++grade) {
            const auto g = static_cast<double>(grade);
            const double exact = grade <= bend.grade ? b + (10000 - b) * (above - g) / (above + 1)
                                                     : b * (below - (g - above)) / below;
            ASSERT_TRUE(bounds[grade]);
            EXPECT_LE(std::abs(static_cast<double>(*bounds[grade]) - exact), 0.5 + 1e-9)
                << grades << " grades, bend " << bend.grade << " at " << bend.hundredths;
            if (grade > 0) {
                EXPECT_LE(*bounds[grade], *bounds[grade - 1]);
            }
        }
    }
}

} // namespace
