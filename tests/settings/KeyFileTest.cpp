// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFile.h"

#include "settings/KeyFileText.h"
#include "settings/KeyStore.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/OwnKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

// Random keys that keep every rule: names and grades with umlauts, bounds and values with up to
// two decimals, up to 30 grades, approval limits, error keys among them; written by the writer,
// read back by the reader, whole.
TEST(KeyFileRoundTrip, EveryValidKeyComesBackAsItWasWritten) {
    std::vector<grading::GradingKey> keys{tendencyKey()};
    for (grading::Scale scale : grading::allScales) {
        for (grading::GradingKey key :
             randomKeys(20261207, scale == grading::Scale::Points ? 40 : 7, scale)) {
            key.name.replace(0, 1, QChar(u'A' + static_cast<int>(scale)));
            keys.push_back(key);
        }
    }
    const settings::KeyFileContent read =
        settings::parseKeyFile(QString::fromUtf8(settings::formatKeyFile(keys)));
    EXPECT_EQ(read.problems, QStringList());
    ASSERT_EQ(read.keys.size(), keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        EXPECT_EQ(read.keys[k], keys[k]) << keys[k].name.toStdString();
    }
}

// One key that breaks a rule is refused with its line and the rule; the others load.
struct BrokenRow {
    std::string name;
    const char* lines; // the key "Kaputt", between two good ones
    const char* problem;
};

class BrokenKey : public testing::TestWithParam<BrokenRow> {};

TEST_P(BrokenKey, IsRefusedWithItsLineAndTheRule) {
    const QString file =
        QString::fromUtf8("# Kopf\n[Gut]\n1;50;1\n2;;2\n") + QString::fromUtf8(GetParam().lines) +
        QStringLiteral("\r\n[Auch gut]\r\nA;10.5;1.25\r\nB;;-2\r\nschwach ab=B\r\n");
    const settings::KeyFileContent read = settings::parseKeyFile(file);
    ASSERT_EQ(read.keys.size(), 2u);
    EXPECT_EQ(read.keys[0].name, "Gut");
    EXPECT_EQ(read.keys[1].name, "Auch gut");
    EXPECT_EQ(read.problems, QStringList{QString::fromUtf8(GetParam().problem)});
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BrokenKey,
    testing::Values(
        BrokenRow{"bounds_that_rise", "[Kaputt]\n1;50;1\n2;60;2\n3;;3",
                  "„Kaputt“, Zeile 7: Die Grenze muss unter der Grenze der besseren Note liegen: "
                  "Die Grenzen fallen von der besten Note zur schlechtesten."},
        BrokenRow{"bounds_alike", "[Kaputt]\n1;50;1\n2;50;2\n3;;3",
                  "„Kaputt“, Zeile 7: Die Grenze muss unter der Grenze der besseren Note liegen: "
                  "Die Grenzen fallen von der besten Note zur schlechtesten."},
        BrokenRow{"grade_twice", "[Kaputt]\n1;50;1\n1;;2",
                  "„Kaputt“, Zeile 7: Die Note „1“ steht zweimal im Schlüssel."},
        BrokenRow{"name_of_another_key", "[gut]\n1;50;1\n2;;2",
                  "„gut“, Zeile 5: Den Namen „gut“ trägt schon ein anderer Notenschlüssel (groß "
                  "oder klein geschrieben)."},
        BrokenRow{"built_in_name", "[ihk]\n1;50;1\n2;;2",
                  "„ihk“, Zeile 5: Den Namen „ihk“ trägt schon ein anderer Notenschlüssel (groß "
                  "oder klein geschrieben)."},
        BrokenRow{"name_too_long", "[Einundzwanzig Zeichen]\n1;50;1\n2;;2",
                  "„Einundzwanzig Zeichen“, Zeile 5: Der Name muss 1 bis 20 Zeichen lang sein."},
        BrokenRow{"tab_shown", "[Kap\tutt]\n1;50;1\n2;;2",
                  "„Kap⇥utt“, Zeile 5: Der Name darf keines der Zeichen \" ; [ ] und keinen "
                  "Tabulator enthalten."},
        BrokenRow{"quote_in_the_name", "[Kap\"utt]\n1;50;1\n2;;2",
                  "„Kap\"utt“, Zeile 5: Der Name darf keines der Zeichen \" ; [ ] und keinen "
                  "Tabulator enthalten."},
        BrokenRow{"one_grade", "[Kaputt]\n1;;1",
                  "„Kaputt“, Zeile 5: Ein Notenschlüssel hat 2 bis 30 Noten, dieser hat 1."},
        BrokenRow{"three_decimals", "[Kaputt]\n1;33.333;1\n2;;2",
                  "„Kaputt“, Zeile 6: Die Grenze „33.333“ ist keine Zahl über 0 bis 100 mit "
                  "höchstens zwei Nachkommastellen (etwa „33,3“ oder „33.3“)."},
        BrokenRow{"percent_behind_a_value", "[Kaputt]\n1;33,3 %;1 %\n2;;2",
                  "„Kaputt“, Zeile 6: Der Wert „1 %“ ist keine Zahl von -100 bis 100 mit "
                  "höchstens zwei Nachkommastellen (etwa „2,3“ oder „2.3“)."},
        BrokenRow{"two_fields", "[Kaputt]\n1;50\n2;;2",
                  "„Kaputt“, Zeile 6: Eine Note steht als „Note;ab;Wert“ in einer Zeile."},
        BrokenRow{"bound_of_zero", "[Kaputt]\n1;0;1\n2;;2",
                  "„Kaputt“, Zeile 6: Die Grenze „0“ ist keine Zahl über 0 bis 100 mit "
                  "höchstens zwei Nachkommastellen (etwa „33,3“ oder „33.3“)."},
        BrokenRow{"value_missing", "[Kaputt]\n1;50;\n2;;2",
                  "„Kaputt“, Zeile 6: Der Wert „“ ist keine Zahl von -100 bis 100 mit "
                  "höchstens zwei Nachkommastellen (etwa „2,3“ oder „2.3“)."},
        BrokenRow{"worst_with_a_bound", "[Kaputt]\n1;50;1\n2;10;2",
                  "„Kaputt“, Zeile 7: Die schlechteste Note hat keine Grenze: Sie gilt für alles "
                  "unter der vorletzten."},
        BrokenRow{"weak_grade_unknown", "[Kaputt]\n1;50;1\n2;;2\nschwach ab=3",
                  "„Kaputt“, Zeile 8: „schwach ab=3“ nennt keine Note dieses Schlüssels."},
        BrokenRow{"grade_text_too_long", "[Kaputt]\nDreizehn Zeic;50;1\n2;;2",
                  "„Kaputt“, Zeile 6: Eine Note muss 1 bis 12 Zeichen lang sein."},
        BrokenRow{
            "approval_of_0_percent",
            "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=mehr als 0 %",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_of_100_percent",
            "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=mehr als 100 %",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_with_three_decimals",
            "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=ab 30,125 %",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_of_a_whole", "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=ab 3/3",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_of_nothing", "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=ab 0/3",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_above_a_hundredth",
            "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=ab 1/101",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_without_its_blank",
            "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=mehr als30 %",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_in_other_words",
            "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=über 30 %",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{
            "approval_without_a_share", "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=ab",
            "„Kaputt“, Zeile 9: „genehmigung=“ nennt „mehr als“ oder „ab“, ein Leerzeichen und "
            "dann einen Anteil über 0 und unter 100 % mit höchstens zwei Nachkommastellen (etwa "
            "„mehr als 30 %“) oder einen Bruch a/b mit 1 ≤ a < b ≤ 100 (etwa „ab 1/3“)."},
        BrokenRow{"approval_twice",
                  "[Kaputt]\n1;50;1\n2;;2\nschwach ab=2\ngenehmigung=ab 1/3\ngenehmigung=ab 1/2",
                  "„Kaputt“, Zeile 10: „genehmigung=“ steht zweimal im Schlüssel."},
        BrokenRow{"approval_without_weak_grades", "[Kaputt]\n1;50;1\n2;;2\ngenehmigung=ab 1/3",
                  "„Kaputt“, Zeile 8: „genehmigung=“ braucht „schwach ab=“: Die Grenze zählt die "
                  "schwachen Ergebnisse."},
        // A setting out of place is named at its own line.
        BrokenRow{"grade_after_the_approval", "[Kaputt]\n1;50;1\ngenehmigung=ab 1/3\n2;;2",
                  "„Kaputt“, Zeile 7: Die Noten stehen vor „genehmigung=“."},
        BrokenRow{"approval_before_the_grades",
                  "[Kaputt]\ngenehmigung=ab 1/2\n1;50;1\n2;;2\nschwach ab=2",
                  "„Kaputt“, Zeile 6: Die Noten stehen vor „genehmigung=“."},
        BrokenRow{"weak_grade_before_the_grades", "[Kaputt]\n1;50;1\nschwach ab=2\n2;;2",
                  "„Kaputt“, Zeile 7: Die Noten stehen vor „schwach ab=“."},
        BrokenRow{"error_bounds_that_fall_scale_below",
                  "[Kaputt]\n1;5;1\n2;2;2\n3;;3\nskala=Fehler",
                  "„Kaputt“, Zeile 7: Die Grenze muss über der Grenze der besseren Note liegen: "
                  "Die Grenzen steigen von der besten Note zur schlechtesten."},
        BrokenRow{"error_bounds_alike", "[Kaputt]\nskala=Fehler\n1;2;1\n2;2;2\n3;;3",
                  "„Kaputt“, Zeile 8: Die Grenze muss über der Grenze der besseren Note liegen: "
                  "Die Grenzen steigen von der besten Note zur schlechtesten."},
        BrokenRow{"error_worst_with_a_bound", "[Kaputt]\nskala=Fehler\n1;0;1\n2;3;2",
                  "„Kaputt“, Zeile 8: Die schlechteste Note hat keine Grenze: Sie gilt für alles "
                  "über der vorletzten."},
        BrokenRow{"error_bound_of_a_quarter", "[Kaputt]\nskala=Fehler\n1;2.25;1\n2;;2",
                  "„Kaputt“, Zeile 7: Die Grenze „2.25“ ist keine Fehlerzahl von 0 bis 1000 in "
                  "ganzen oder halben Fehlern (etwa „2,5“ oder „2.5“)."},
        BrokenRow{"error_bound_below_0", "[Kaputt]\nskala=Fehler\n1;-0,5;1\n2;;2",
                  "„Kaputt“, Zeile 7: Die Grenze „-0,5“ ist keine Fehlerzahl von 0 bis 1000 in "
                  "ganzen oder halben Fehlern (etwa „2,5“ oder „2.5“)."},
        BrokenRow{"error_bound_in_percent", "[Kaputt]\n1;2 %;1\n2;;2\nskala=Fehler",
                  "„Kaputt“, Zeile 6: Die Grenze „2 %“ ist keine Fehlerzahl von 0 bis 1000 in "
                  "ganzen oder halben Fehlern (etwa „2,5“ oder „2.5“)."},
        BrokenRow{"error_bound_named_before_a_later_value",
                  "[Kaputt]\n1;2.25;1\n2;;x\nskala=Fehler",
                  "„Kaputt“, Zeile 6: Die Grenze „2.25“ ist keine Fehlerzahl von 0 bis 1000 in "
                  "ganzen oder halben Fehlern (etwa „2,5“ oder „2.5“)."},
        BrokenRow{"quotient_bound_past_100",
                  "[Kaputt]\nskala = Fehler je 100 Wörter\n1;100.5;1\n2;;2",
                  "„Kaputt“, Zeile 7: Die Grenze „100.5“ ist keine Zahl von 0 bis 100 mit "
                  "höchstens zwei Nachkommastellen (etwa „2,4“ oder „2.4“)."},
        BrokenRow{"scale_unknown", "[Kaputt]\n1;50;1\n2;;2\nskala=fehler",
                  "„Kaputt“, Zeile 8: „skala=fehler“ nennt keine Skala: „skala=Punkte“, "
                  "„skala=Fehler“ oder „skala=Fehler je 100 Wörter“."},
        BrokenRow{"scale_twice", "[Kaputt]\nskala=Fehler\n1;0;1\n2;;2\nskala=Fehler",
                  "„Kaputt“, Zeile 9: „skala=“ steht zweimal im Schlüssel."}),
    ROW_NAMES);

TEST(KeyFile, DamagedFileIsNamedKeepsItsValidKeysAndStaysByteForByte) {
    QTemporaryDir dir;
    const QString path = settings::keyFilePath(dir.filePath("Zensulino.ini"));
    EXPECT_TRUE(path.endsWith(QString::fromUtf8("/Zensulino-Notenschlüssel.txt")));
    EXPECT_EQ(settings::loadKeyFile(path).status, settings::KeyFileLoad::Status::Missing);

    const QByteArray bytes("\xEF\xBB\xBF[Gut]\r\n1;50;1\r\n2;;2\r\n1;;1\r\n[Schlecht]\r\n");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const settings::KeyFileLoad loaded = settings::loadKeyFile(path);
    EXPECT_EQ(loaded.status, settings::KeyFileLoad::Status::Damaged);
    ASSERT_EQ(loaded.keys.size(), 0u);
    EXPECT_TRUE(loaded.message.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(loaded.message.contains(QString::fromUtf8(
        "„Gut“, Zeile 3: Jede Note außer der schlechtesten braucht eine Grenze.\r„Schlecht“, "
        "Zeile 5: Ein Notenschlüssel hat 2 bis 30 Noten, dieser hat 0.")))
        << loaded.message.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    file.close();

    // No text at all, as a picture saved under the file's name, is said in one sentence; a file of
    // many broken lines names the first ten.
    QByteArray manyBroken;
    for (int key = 0; key < 12; ++key) {
        manyBroken += "x;y\n";
    }
    for (const auto& [content, said] :
         {std::pair{QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                    "Sie ist weder in UTF-8 noch in Windows-1252 geschrieben."},
          std::pair{manyBroken, "„#“).\r… und 2 weitere."}}) {
        QFile other(dir.filePath("andere.txt"));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(content);
        other.close();
        const QString message = settings::loadKeyFile(other.fileName()).message;
        EXPECT_TRUE(message.contains(QString::fromUtf8(said))) << message.toStdString();
    }

    // Before it is written over, a copy beside it, and a second beside the first.
    for (const char* name :
         {"Zensulino-Notenschlüssel (Kopie).txt", "Zensulino-Notenschlüssel (Kopie 2).txt"}) {
        const settings::KeptCopy copy = settings::keepCopy(path, bytes);
        EXPECT_EQ(copy.path, dir.filePath(QString::fromUtf8(name))) << copy.problem.toStdString();
        QFile kept(copy.path);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), bytes);
    }
}

// A write changes the lines of its own key and nothing else, byte for byte.
struct MergeRow {
    std::string name;
    QByteArray before;
    const char* replacing; // the key written in the place of this one; none to delete `deleted`
    const char* deleted;
    QByteArray after;
};

class Merge : public testing::TestWithParam<MergeRow> {};

TEST_P(Merge, ChangesOnlyTheLinesOfItsKey) {
    grading::GradingKey beta{"Beta", {{"1", 50, 100}, {"2", std::nullopt, 200}}, 1, {}, {}, {}};
    auto file = *settings::KeyFileText::decode(GetParam().before);
    // The keys the write does not concern read as they did.
    const QString changed = QString::fromUtf8(GetParam().replacing != nullptr ? GetParam().replacing
                                                                              : GetParam().deleted);
    auto others = [&](const settings::KeyFileText& text) {
        std::vector<grading::GradingKey> kept;
        for (const grading::GradingKey& key : settings::parseKeyFile(text.text()).keys) {
            if (key.name.compare("Beta", Qt::CaseInsensitive) != 0 &&
                key.name.compare(changed, Qt::CaseInsensitive) != 0) {
                kept.push_back(key);
            }
        }
        return kept;
    };
    const std::vector<grading::GradingKey> before = others(file);
    if (GetParam().replacing != nullptr) {
        file.putKey(GetParam().replacing, beta);
    } else {
        file.removeKey(GetParam().deleted);
    }
    EXPECT_EQ(file.bytes(), GetParam().after);
    EXPECT_EQ(others(*settings::KeyFileText::decode(file.bytes())), before);
}

const QByteArray alpha = "# Fachkonferenz 12.03.2024\r\n\r\n[Alpha]\r\n  1 ; 40 ; 1 \r\n2;;2\r\n";
const QByteArray betaLines = "[Beta]\r\n1;50;1\r\n2;;2\r\nschwach ab=2\r\n";

INSTANTIATE_TEST_SUITE_P(
    Writes, Merge,
    testing::Values(
        MergeRow{"new_key_at_the_end", alpha, "Beta", nullptr, alpha + betaLines},
        MergeRow{"new_key_after_a_last_line_without_end", "\xEF\xBB\xBF[Alpha]\n1;40;1\n2;;2",
                 "Beta", nullptr,
                 "\xEF\xBB\xBF[Alpha]\n1;40;1\n2;;2\n[Beta]\n1;50;1\n2;;2\nschwach ab=2\n"},
        // A CR ending the file stays one, whatever the lines end in.
        MergeRow{"new_key_after_a_last_line_ending_in_a_cr", "[Alpha]\r\n1;40;1\r\n2;;2\r", "Beta",
                 nullptr, "[Alpha]\r\n1;40;1\r\n2;;2\r\r\n" + betaLines},
        MergeRow{"new_key_after_stray_crs_in_a_file_of_lfs", "[Alpha]\n1;40;1\n2;;2\r\r", "Beta",
                 nullptr, "[Alpha]\n1;40;1\n2;;2\r\r\r\n[Beta]\n1;50;1\n2;;2\nschwach ab=2\n"},
        // Lines ending in CR CR LF, as a second conversion to CR LF leaves them, read by the name.
        MergeRow{"changed_in_lines_of_two_crs", "[Beta]\r\r\n3;;3\r\r\n", "Beta", nullptr,
                 betaLines},
        MergeRow{"deleted_in_lines_of_two_crs", alpha + "[Beta]\r\r\n3;;3\r\r\n", nullptr, "Beta",
                 alpha},
        MergeRow{"changed_in_its_place_comments_inside_kept",
                 "[beta]\r\n# oben\r\n9;50;9\r\n\r\n8;;8\r\n" + alpha, "Beta", nullptr,
                 betaLines + "# oben\r\n\r\n" + alpha},
        MergeRow{"comments_stay_above_their_grades_and_settings",
                 "[Beta]\r\n# beste\r\n1;40;1\r\n\r\n# schlechteste\r\n2;;2\r\n# Schwelle\r\n"
                 "schwach ab=1\r\n# Ende\r\n" +
                     alpha,
                 "Beta", nullptr,
                 "[Beta]\r\n# beste\r\n1;50;1\r\n\r\n# schlechteste\r\n2;;2\r\n# Schwelle\r\n"
                 "schwach ab=2\r\n# Ende\r\n" +
                     alpha},
        MergeRow{"unchanged_key_written_by_hand_stays_byte_for_byte",
                 alpha + "[Beta] \n# oben\n 1 ; 50,0 % ; 1 \n\n2;;2.00\r\nschwach ab = 2", "Beta",
                 nullptr, alpha + "[Beta] \n# oben\n 1 ; 50,0 % ; 1 \n\n2;;2.00\r\nschwach ab = 2"},
        MergeRow{"refused_block_of_its_name_replaced", alpha + "[Beta]\r\n1;;1\r\n# Ende", "Beta",
                 nullptr, alpha + betaLines + "# Ende"},
        MergeRow{"rename_over_another_key", "[Gamma]\n1;1;1\n2;;2\n[Beta]\n3;;3\n", "Gamma",
                 nullptr, "[Beta]\n1;50;1\n2;;2\nschwach ab=2\n"},
        MergeRow{"renamed_whose_old_block_is_gone", "[Beta]\n3;;3\n[Gamma]\n1;1;1\n2;;2\n", "Alpha",
                 nullptr, "[Beta]\n1;50;1\n2;;2\nschwach ab=2\n[Gamma]\n1;1;1\n2;;2\n"},
        MergeRow{"deleted_its_comments_kept", alpha + "[Beta] \r\n#  behalten\r\n1;;1\r\n", nullptr,
                 "beta", alpha + "#  behalten\r\n"},
        MergeRow{"windows_1252_written_as_utf8",
                 "[Gr\xF6\xDF"
                 "e]\r\n1;50;1\r\n2;;2\r\n",
                 "Beta", nullptr,
                 "[Gr\xC3\xB6\xC3\x9F"
                 "e]\r\n1;50;1\r\n2;;2\r\n" +
                     betaLines}),
    ROW_NAMES);

// What teachers and Windows editors write reads as meant: blanks, tabs, indented comments,
// decimal commas, "%" behind a bound, each range to its edge.
TEST(KeyFileReader, ReadsBlanksCommasAndEveryRangeToItsEdge) {
    const settings::KeyFileContent read = settings::parseKeyFile(QString::fromUtf8(
        "\t# eingerückt\n [ Rand ] \n sehr gut ; 100 % ; -100\t\ngut;0,01;100\n  ungenügend;;1,5 \n"
        " schwach ab = ungenügend \n[Drüber]\n1;100,01;1\n2;;2\n[Wert]\n1;50;100,01\n2;;2\n"
        "[Null]\n1;0;1\n2;;2\n[Minus]\n1;50;-100,01\n2;;2\n"
        "[Fehler]\n1;0;1\n 2 ; 999,5 ; 2 \n3;1000;3\n4;;4\n skala = Fehler \n"
        "[Fehler drüber]\nskala=Fehler\n1;1000,5;1\n2;;2\n"));
    ASSERT_EQ(read.keys.size(), 2u);
    grading::GradingKey errors{
        "Fehler",
        {{"1", 0, 100}, {"2", 999.5, 200}, {"3", 1000, 300}, {"4", std::nullopt, 400}},
        std::nullopt,
        {},
        {},
        {}};
    errors.scale = grading::Scale::Errors;
    EXPECT_EQ(read.keys[1], grading::withOwnHeadings(errors));
    EXPECT_EQ(read.keys[0],
              grading::withOwnHeadings({"Rand",
                                        {{"sehr gut", 100, -10000},
                                         {"gut", 0.01, 10000},
                                         {QString::fromUtf8("ungenügend"), std::nullopt, 150}},
                                        2,
                                        {},
                                        {},
                                        {}}));
    EXPECT_EQ(read.problems.size(), 5);
}

// Keys written elsewhere between reading and writing stay: another program, a second window.
TEST(KeyStoreWrite, StartsFromTheFileOnDisk) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino-Notenschlüssel.txt");
    auto append = [&](const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(bytes);
    };
    append("[Alpha]\n1;40;1\n2;;2\n");
    settings::KeyStore first(QLocale::c(), [&] { return path; });
    settings::KeyStore second(QLocale::c(), [&] { return path; });
    first.reload();
    second.reload();
    append("[Gamma]\n1;40;1\n2;;2\n");
    grading::GradingKey delta = first.keys().own()[0];
    delta.name = "Delta";
    ASSERT_TRUE(first
                    .write([&](settings::KeyFileText& file, const auto&) {
                        file.putKey(delta.name, delta);
                        return true;
                    })
                    .done);
    ASSERT_TRUE(second
                    .write([&](settings::KeyFileText& file, const auto&) {
                        file.removeKey("Alpha");
                        return true;
                    })
                    .done);
    QStringList names;
    for (const auto& key : second.keys().own()) {
        names << key.name;
    }
    EXPECT_EQ(names, QStringList({"Gamma", "Delta"}));
}

// A UTF-8 file with a colleague's key appended in "ANSI" by an older Windows editor: each line
// reads as meant, and a line that is neither refuses its key alone. The first write keeps the
// former bytes as a copy and writes every line in UTF-8 but that one, which keeps its bytes; the
// next write changes nothing else.
TEST(KeyStoreWrite, MixedFileReadsLineByLineAndIsKeptAsACopyBeforeItIsWrittenInUtf8) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino-Notenschlüssel.txt");
    const QByteArray utf8 = "\xEF\xBB\xBF# Schl\xC3\xBCssel\r\n[\xC3\x9C"
                            "bung]\r\n1;50;1\r\n2;;2\r\n";
    const QByteArray kaputt = "[Kaputt]\r\n1;50\x81;1\r\n2;;2\r\n# gepr\xC3\xBC"
                              "ft\r\n";
    const QByteArray windows = "# f\xFCr die 5b\r\n[Gr\xF6\xDF"
                               "e]\r\n1;50;1\r\n2;;2\r\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(utf8 + windows + kaputt);
    file.close();
    settings::KeyStore keys(QLocale::c(), [&] { return path; });
    const settings::KeyFileLoad loaded = keys.reload();
    EXPECT_EQ(loaded.problems, QString::fromUtf8("„Kaputt“, Zeile 10: Die Zeile ist weder in UTF-8 "
                                                 "noch in Windows-1252 geschrieben."));
    auto names = [&] {
        QStringList own;
        for (const auto& key : keys.keys().own()) {
            own << key.name;
        }
        return own.join(' ');
    };
    EXPECT_EQ(names(), QString::fromUtf8("Übung Größe"));
    const grading::GradingKey added{"Neu", {{"1", 40, 100}, {"2", {}, 200}}, {}, {}, {}, {}};
    auto write = [&] {
        return keys.write([&](settings::KeyFileText& text, const auto&) {
            text.putKey(added.name, added);
            return true;
        });
    };
    const QByteArray written =
        "\xEF\xBB\xBF# Schl\xC3\xBCssel\r\n[\xC3\x9C"
        "bung]\r\n1;50;1\r\n2;;2\r\n# f\xC3\xBCr die 5b\r\n[Gr\xC3\xB6\xC3\x9F"
        "e]\r\n1;50;1\r\n2;;2\r\n" +
        kaputt + "[Neu]\r\n1;40;1\r\n2;;2\r\n";
    for (const char* copied : {"Zensulino-Notenschlüssel (Kopie).txt", ""}) {
        const settings::KeyStore::Written done = write();
        EXPECT_EQ(done.copy, *copied ? dir.filePath(QString::fromUtf8(copied)) : QString());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), written);
        file.close();
        EXPECT_EQ(names(), QString::fromUtf8("Übung Größe Neu"));
    }
    QFile copy(dir.filePath("Zensulino-Notenschlüssel (Kopie).txt"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), utf8 + windows + kaputt);
}

// A question may stand open for minutes: a key another program writes meanwhile stays.
TEST(KeyStoreWrite, StartsAgainWhereTheFileChangedDuringTheChange) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino-Notenschlüssel.txt");
    settings::KeyStore keys(QLocale::c(), [&] { return path; });
    int asked = 0;
    ASSERT_TRUE(keys.write([&](settings::KeyFileText& file, const auto&) {
                        if (asked++ == 0) {
                            QFile elsewhere(path);
                            EXPECT_TRUE(elsewhere.open(QIODevice::WriteOnly));
                            elsewhere.write("[Epsilon]\r\n1;50;1\r\n2;;2\r\n");
                        }
                        file.putKey("Beta", {"Beta", {{"1", 40, 1}, {"2", {}, 2}}, {}, {}, {}, {}});
                        return true;
                    })
                    .done);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Epsilon]\r\n1;50;1\r\n2;;2\r\n[Beta]\r\n1;40;0.01\r\n2;;0.02\r\n");
    file.close();

    // A file that changes at every try is not written over; the other program's last bytes stay.
    int tries = 0;
    const settings::KeyStore::Written written = keys.write([&](settings::KeyFileText& text,
                                                               const auto&) {
        QFile elsewhere(path);
        EXPECT_TRUE(elsewhere.open(QIODevice::WriteOnly));
        elsewhere.write(QByteArray("[Zeta]\r\n1;50;1\r\n2;;2\r\n") + QByteArray::number(++tries));
        text.putKey("Beta", {"Beta", {{"1", 40, 1}, {"2", {}, 2}}, {}, {}, {}, {}});
        return true;
    });
    EXPECT_FALSE(written.done);
    EXPECT_TRUE(written.problem.contains("dreimal geändert")) << written.problem.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Zeta]\r\n1;50;1\r\n2;;2\r\n3");
}

} // namespace
