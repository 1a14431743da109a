// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ResultsCsv.h"

#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "tests/support/CsvReader.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// Every kind of result a session holds, graded as "Berechnen" grades them, written and read back
// as a spreadsheet reads the file.
TEST(ResultsCsv, ReadsBackAsTheListShowsEveryResult) {
    grading::GradingKey formula =
        oneToSix("=SUMME(A1)", grading::Scale::Points, {87.5, 75, 62.5, 50, 25, std::nullopt});
    formula.grades[1].text = "gut; knapp";
    formula.grades[2].text = "-befriedigend \"3\"";
    const grading::Keys keys(german, {formula, dictationKey(), quotientKey()});
    grading::NotenSpeicher memory;
    const std::pair<const char*, const char*> typed[][2] = {
        {{"10+8+12+6", "8+5+12+3"}, {"GYM", ""}},
        {{"10+8+12+6", "27"}, {"=SUMME(A1)", ""}},
        {{"2+1,5", "1,5+0,75"}, {"=SUMME(A1)", ""}},
        {{"", "2,5"}, {"Diktat", ""}},
        {{"120", "2,5"}, {"Quotient", ""}},
        {{"0", "-5"}, {"GYM", ""}},
        {{"40", "-4"}, {"IHK", ""}}};
    for (const auto& [points, key] : typed) {
        ModelWindow window;
        window.setText(grading::Field::Rohpunkte, points.first);
        window.setText(grading::Field::Punkte, points.second);
        window.setText(grading::Field::Prozent, "100");
        window.setText(grading::Field::Schluessel, key.first);
        ASSERT_TRUE(grading::calculate(window, memory, keys, german)) << points.first;
    }
    QTemporaryDir dir;
    QFile file(dir.filePath("Ergebnisse.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray csv = settings::resultsCsv(memory, german);
    file.write(csv);
    file.close();

    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBFNr.;")) << "a byte-order mark";
    EXPECT_TRUE(csv.endsWith("\r\n"));
    EXPECT_EQ(csv.count("\r\n"), 8);
    const QVector<QStringList> expected{
        {"Nr.", "Höchstpunktzahl", "Punkte", "Prozent", "Note", "Notenschlüssel", "A1", "A2", "A3",
         "A4"},
        {"1", "36", "28", "77,8", "11", "GYM", "8", "5", "12", "3"},
        {"2", "36", "27", "75,0", "gut; knapp", "'=SUMME(A1)", "", "", "", ""},
        {"3", "3,5", "2,25", "64,3", "'-befriedigend \"3\"", "'=SUMME(A1)", "1,5", "0,75", "", ""},
        {"4", "", "2,5", "", "3", "Diktat", "", "", "", ""},
        {"5", "120", "2,5", "2,09", "3", "Quotient", "", "", "", ""},
        {"6", "0", "-5", "'-∞", "00", "GYM", "", "", "", ""},
        {"7", "40", "-4", "-10,0", "6", "IHK", "", "", "", ""}};
    EXPECT_EQ(readCsv(file.fileName()), expected);
}

} // namespace
