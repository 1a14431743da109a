// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/KeyForm.h"

#include "keys/KeyPresets.h"
#include "keys/OwnKeyList.h"
#include "tests/support/GTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// Each preset is a key that keeps every rule, and the editor's texts in German numbers ("0,7",
// "33,3") give back the very key they show.
TEST(KeyForm, EveryPresetComesBackWholeThroughTheEditorsTexts) {
    for (grading::GradingKey preset : keys::keyPresets(grading::Keys(german))) {
        preset.name = QStringLiteral("Vorlage"); // GYM and IHK are taken names
        preset = grading::withOwnHeadings(preset);
        const keys::KeyForm form = keys::formFromKey(preset, german);
        const keys::FormCheck check = keys::checkKeyForm(form, german);
        ASSERT_TRUE(check.key) << check.problem.toStdString();
        EXPECT_EQ(*check.key, preset);
    }
    const keys::KeyForm tendencies =
        keys::formFromKey(keys::keyPresets(grading::Keys(german))[2], german);
    EXPECT_EQ(tendencies.rows[0].value, "0,7");
    EXPECT_EQ(tendencies.rows[12].grade + tendencies.rows[12].bound, "5+42");
    EXPECT_EQ(tendencies.firstWeak, 12u);
}

// The weak grade chosen on a row then left blank passes to the grade after it.
TEST(KeyForm, WeakGradeOnABlankRowPassesToTheNextGrade) {
    const keys::FormCheck check =
        keys::checkKeyForm({"Bayern", {{"1", "50", "1"}, {"", "", ""}, {"2", "", "2"}}, 1}, german);
    ASSERT_TRUE(check.key) << check.problem.toStdString();
    EXPECT_EQ(check.key->firstWeak, 1u);
}

struct RefusedRow {
    std::string name;
    const char* keyName;
    std::vector<keys::KeyFormRow> rows;
    const char* problem;
    int row;
    int column;
    grading::Scale scale = grading::Scale::Points;
};

class Refused : public testing::TestWithParam<RefusedRow> {};

TEST_P(Refused, NamesTheRowAndTheRule) {
    const keys::FormCheck check =
        keys::checkKeyForm({QString::fromUtf8(GetParam().keyName), GetParam().rows, std::nullopt,
                            std::nullopt, GetParam().scale},
                           german);
    EXPECT_FALSE(check.key);
    EXPECT_EQ(check.problem, QString::fromUtf8(GetParam().problem));
    EXPECT_EQ(check.row, GetParam().row);
    EXPECT_EQ(check.column, GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(
    KeyForm, Refused,
    testing::Values(
        RefusedRow{"bound_that_does_not_fall",
                   "Bayern",
                   {{"1", "50", "1"}, {"", "", ""}, {"2", "50,5", "2"}, {"3", "", "3"}},
                   "Zeile 3: Die Grenze muss unter der Grenze der besseren Note liegen: Die "
                   "Grenzen fallen von der besten Note zur schlechtesten.",
                   2,
                   keys::FormCheck::Bound},
        RefusedRow{"grade_text_twice",
                   "Bayern",
                   {{"1", "50", "1"}, {"2", "33,3", "2"}, {"1", "", "6"}},
                   "Zeile 3: Die Note „1“ steht zweimal im Schlüssel.",
                   2,
                   keys::FormCheck::Grade},
        RefusedRow{"grade_text_read_as_a_comment",
                   "Bayern",
                   {{"1", "50", "1"}, {"#2", "", "2"}},
                   "Zeile 2: Eine Note darf nicht mit „#“ beginnen: So beginnt in der "
                   "Notenschlüssel-Datei ein Kommentar.",
                   1,
                   keys::FormCheck::Grade},
        RefusedRow{"grade_text_read_as_the_weak_grade",
                   "Bayern",
                   {{"schwach ab=1", "50", "1"}, {"2", "", "2"}},
                   "Zeile 1: Eine Note darf nicht mit „schwach ab=“ beginnen: So steht in der "
                   "Notenschlüssel-Datei die erste schwache Note.",
                   0,
                   keys::FormCheck::Grade},
        RefusedRow{"blank_at_the_end_of_a_grade_text",
                   "Bayern",
                   {{"1 ", "50", "1"}, {"2", "", "2"}},
                   "Zeile 1: Eine Note darf nicht mit einem Leerzeichen beginnen oder enden.",
                   0,
                   keys::FormCheck::Grade},
        RefusedRow{"name_of_a_built_in_key",
                   "ihk",
                   {{"1", "50", "1"}, {"2", "", "2"}},
                   "Name: Den Namen „ihk“ trägt schon ein anderer Notenschlüssel (groß oder klein "
                   "geschrieben).",
                   -1,
                   keys::FormCheck::Name},
        RefusedRow{"grade_text_read_as_the_scale",
                   "Bayern",
                   {{"skala = 1", "50", "1"}, {"2", "", "2"}},
                   "Zeile 1: Eine Note darf nicht mit „skala=“ beginnen: So steht in der "
                   "Notenschlüssel-Datei die Skala des Schlüssels.",
                   0,
                   keys::FormCheck::Grade},
        RefusedRow{"error_bound_of_a_quarter",
                   "Diktat",
                   {{"1", "2,25", "1"}, {"2", "", "2"}},
                   "Zeile 1: „2,25“ unter „bis Fehler“ ist keine Fehlerzahl von 0 bis 1000 in "
                   "ganzen oder halben Fehlern (etwa „2,5“).",
                   0,
                   keys::FormCheck::Bound,
                   grading::Scale::Errors},
        RefusedRow{"error_bound_in_percent",
                   "Diktat",
                   {{"1", "2 %", "1"}, {"2", "", "2"}},
                   "Zeile 1: „2 %“ unter „bis Fehler“ ist keine Fehlerzahl von 0 bis 1000 in "
                   "ganzen oder halben Fehlern (etwa „2,5“).",
                   0,
                   keys::FormCheck::Bound,
                   grading::Scale::Errors},
        RefusedRow{"quotient_bound_of_three_decimals",
                   "Quote",
                   {{"1", "2,405", "1"}, {"2", "", "2"}},
                   "Zeile 1: „2,405“ unter „bis Fehler je 100“ ist keine Zahl von 0 bis 100 mit "
                   "höchstens zwei Nachkommastellen (etwa „2,4“).",
                   0,
                   keys::FormCheck::Bound,
                   grading::Scale::ErrorsPer100Words},
        RefusedRow{"error_bounds_that_fall",
                   "Diktat",
                   {{"1", "5", "1"}, {"2", "2", "2"}, {"3", "", "3"}},
                   "Zeile 2: Die Grenze muss über der Grenze der besseren Note liegen: Die "
                   "Grenzen steigen von der besten Note zur schlechtesten.",
                   1,
                   keys::FormCheck::Bound,
                   grading::Scale::Errors}),
    ROW_NAMES);

} // namespace
