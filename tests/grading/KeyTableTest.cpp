// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/KeyTable.h"

#include "grading/Calculation.h"
#include "grading/Decimal.h"
#include "grading/NotenSpeicher.h"
#include "grading/Numbers.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"

#include <QLocale>
#include <gtest/gtest.h>

using grading::Field;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const grading::Keys keys(german, {tendencyKey()});

struct KeyTableCase {
    std::string name;
    const char* maximum;
    double finestStep = 0.5; // finer steps give no table: too many for doubles to count apart
};

class KeyTable : public testing::TestWithParam<KeyTableCase> {};

// What "Berechnen" shows for the maximum and the points as a user types them from the table.
QString gradeShown(const QString& maximum, const QString& achieved, const grading::GradingKey& key,
                   const grading::Keys& known = keys) {
    ModelWindow window;
    window.setText(Field::Rohpunkte, maximum);
    window.setText(Field::Punkte, achieved);
    window.setText(Field::Schluessel, key.name);
    grading::NotenSpeicher memory;
    EXPECT_TRUE(grading::calculate(window, memory, known, german)) << achieved.toStdString();
    return window.text(Field::ErgebnisNote);
}

// Every row's bounds earn its grade when typed, one step below the lower bound earns a worse one,
// and the rows cover every step value from 0 to the largest not above the maximum, in order.
TEST_P(KeyTable, EachBoundEarnsItsGradeThroughTheCalculation) {
    const QString maximumText = QString::fromUtf8(GetParam().maximum);
    const auto maximum = grading::keyTableMaximum(maximumText, german);
    ASSERT_TRUE(maximum.has_value());
    for (const grading::Key& shared : keys.all()) {
        const grading::GradingKey& key = *shared;
        for (double step : {1.0, 0.5}) {
            SCOPED_TRACE(testing::Message() << key.name.toStdString() << " step " << step);
            const auto table = grading::keyTable(key, *maximum, step);
            ASSERT_EQ(table.has_value(), step >= GetParam().finestStep);
            if (!table) {
                continue;
            }
            const std::vector<grading::KeyTableRow>& rows = *table;
            ASSERT_EQ(rows.size(), key.grades.size());
            double expectedTo = std::floor(*maximum / step) * step; // the best row ends there
            for (const grading::KeyTableRow& row : rows) {
                const QString grade = key.grades[row.grade].text;
                EXPECT_EQ(row.from.has_value(), row.to.has_value());
                if (!row.from) {
                    continue;
                }
                EXPECT_EQ(*row.to, expectedTo) << grade.toStdString();
                for (double bound : {*row.from, *row.to}) {
                    EXPECT_EQ(gradeShown(maximumText,
                                         grading::decimalText(bound, grading::asFewDecimalsAsExact,
                                                              german),
                                         key),
                              grade);
                }
                if (*row.from > 0.0) {
                    const QString below =
                        gradeShown(maximumText,
                                   grading::decimalText(*row.from - step,
                                                        grading::asFewDecimalsAsExact, german),
                                   key);
                    EXPECT_NE(below, grade) << "below " << *row.from;
                }
                expectedTo = *row.from - step;
            }
            EXPECT_EQ(expectedTo, -step) << "the worst row starts at 0";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Maxima, KeyTable,
                         testing::Values(KeyTableCase{"40", "40"}, KeyTableCase{"47", "47"},
                                         KeyTableCase{"47_5", "47,5"}, KeyTableCase{"3", "3"},
                                         KeyTableCase{"12_5", "12,5"}, KeyTableCase{"100", "100"},
                                         KeyTableCase{"1", "1"}, KeyTableCase{"0_5", "0,5"},
                                         KeyTableCase{"1000000", "1000000"},
                                         KeyTableCase{"6E15", "6E15", 1.0},
                                         KeyTableCase{"1E16", "1E16", 2.0}),
                         ROW_NAMES);

// Under a key of errors each row starts one step past the row before it reached, from 0, each
// "bis" typed earns its grade, one step less too, and one step more the next grade the table
// shows; the worst row is open. In half steps each "bis" of a count of errors is the bound
// itself; under errors per 100 words the tables for 120, 125, 300 and 499 words.
TEST(ErrorTable, EachBisEarnsItsGradeAndOneStepMoreTheNextRows) {
    std::vector<grading::GradingKey> errorKeys = randomKeys(8122026, 40, grading::Scale::Errors);
    errorKeys.push_back(dictationKey());
    for (const grading::GradingKey& key : randomKeys(9, 20, grading::Scale::ErrorsPer100Words)) {
        errorKeys.push_back(key);
    }
    errorKeys.push_back(quotientKey());
    for (const grading::GradingKey& key : errorKeys) {
        const grading::Keys known(german, {key});
        const bool perWords = key.scale == grading::Scale::ErrorsPer100Words;
        for (const auto& [words, step] :
             {std::pair<qint64, double>{120, 1.0}, {125, 0.5}, {300, 1.0}, {499, 0.5}}) {
            if (!perWords && words > 125) {
                continue; // a count of errors needs no word count: whole and half steps suffice
            }
            auto shown = [&](double errors) {
                return gradeShown(
                    QString::number(words),
                    grading::decimalText(errors, grading::asFewDecimalsAsExact, german), key,
                    known);
            };
            SCOPED_TRACE(testing::Message()
                         << key.name.toStdString() << " step " << step << " words " << words);
            const std::vector<grading::KeyTableRow> rows = grading::errorTable(key, step, words);
            ASSERT_EQ(rows.size(), key.grades.size());
            double from = 0.0;
            std::optional<double> lastTo;
            for (const grading::KeyTableRow& row : rows) {
                const QString grade = key.grades[row.grade].text;
                if (!row.from) {
                    EXPECT_FALSE(row.to.has_value());
                    continue;
                }
                EXPECT_EQ(*row.from, from) << grade.toStdString();
                EXPECT_EQ(shown(*row.from), grade);
                if (lastTo) {
                    EXPECT_EQ(*lastTo + step, *row.from);
                }
                const bool worst = row.grade + 1 == key.grades.size();
                ASSERT_EQ(row.to.has_value(), !worst) << grade.toStdString();
                if (row.to) {
                    EXPECT_EQ(shown(*row.to), grade);
                    if (*row.to - step >= *row.from) {
                        EXPECT_EQ(shown(*row.to - step), grade) << "one step below the bound";
                    }
                    lastTo = *row.to;
                    from = *row.to + step;
                }
            }
        }
    }
}

TEST(KeyTableMaximum, IsAboveZeroAndANumberAsTheCalculationReadsIt) {
    EXPECT_EQ(grading::keyTableMaximum("47,5", german), 47.5);
    EXPECT_EQ(grading::keyTableMaximum("1E+30", german), 1e30);
    EXPECT_EQ(grading::keyTableMaximum("10+8+12+6,5", german), 36.5);
    for (const char* text : {"0", "-3", "", "viele", "1E+39", "inf", "10+0", "10+"}) {
        EXPECT_FALSE(grading::keyTableMaximum(text, german).has_value()) << text;
    }
}

TEST(KeyPasteTable, MarksGradesThatNoStepEarnsWithADash) {
    const auto rows = grading::keyTable(*keys.gym(), 3.0, 1.0).value();
    EXPECT_EQ(grading::tabSeparated({grading::keyPasteTable(*keys.gym(), 3.0, rows, german)}, false)
                  .split('\n')
                  .mid(1, 8),
              QString::fromUtf8("15\t3\t3|14\t–\t–|13\t–\t–|12\t–\t–|11\t–\t–|10\t–\t–|"
                                "09\t2\t2|08\t–\t–")
                  .split('|'));
}

} // namespace
