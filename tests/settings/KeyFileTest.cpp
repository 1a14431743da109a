// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFile.h"

#include "grading/OwnKeyList.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/OwnKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

// Random keys that keep every rule: names and grades with umlauts, bounds and values with up to
// two decimals, up to 30 grades; written by the writer, read back by the reader, whole.
TEST(KeyFileRoundTrip, EveryValidKeyComesBackAsItWasWritten) {
    std::mt19937 random(20261207);
    auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    const QString letters = QString::fromUtf8("aäbcdoöuüßAÄOÖUÜ +-1é");
    auto text = [&](int longest) {
        QString result;
        const int length = pick(1, longest);
        for (int i = 0; i < length; ++i) {
            result += letters[pick(0, static_cast<int>(letters.size()) - 1)];
        }
        return result.trimmed().isEmpty() ? QStringLiteral("x") : result;
    };
    std::vector<grading::GradingKey> keys{tendencyKey()};
    QStringList names{"GYM", "IHK", "Tendenz"};
    while (keys.size() < 40) {
        grading::GradingKey key{text(20).trimmed(), {}, std::nullopt, {}, {}, {}};
        if (names.contains(key.name, Qt::CaseInsensitive)) {
            continue;
        }
        names << key.name;
        const int grades = keys.size() == 1 ? 30 : pick(2, 30);
        int bound = 10001; // in hundredths, falling
        for (int g = 0; g < grades; ++g) {
            bound = g + 1 == grades ? 0 : pick(grades - g - 1, bound - 1);
            // The reader takes the blanks at either end of a grade text away.
            key.grades.push_back({QStringLiteral("%1%2").arg(text(8).trimmed()).arg(g),
                                  bound == 0 ? std::nullopt : std::optional<double>(bound / 100.0),
                                  pick(-10000, 10000)});
        }
        if (pick(0, 2) > 0) {
            key.firstWeak = static_cast<std::size_t>(pick(0, grades - 1));
        }
        keys.push_back(grading::withOwnHeadings(key));
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
                  "„Kap⇥utt“, Zeile 5: Der Name darf keines der Zeichen \" , ; [ ] und keinen "
                  "Tabulator enthalten."},
        BrokenRow{"comma_in_the_name", "[Kap,utt]\n1;50;1\n2;;2",
                  "„Kap,utt“, Zeile 5: Der Name darf keines der Zeichen \" , ; [ ] und keinen "
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
                  "„Kaputt“, Zeile 6: Eine Note muss 1 bis 12 Zeichen lang sein."}),
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

    // Before it is written over, a copy beside it, and a second beside the first.
    for (const char* name :
         {"Zensulino-Notenschlüssel (Kopie).txt", "Zensulino-Notenschlüssel (Kopie 2).txt"}) {
        const settings::KeptCopy copy = settings::keepCopy(path);
        EXPECT_EQ(copy.path, dir.filePath(QString::fromUtf8(name))) << copy.problem.toStdString();
        QFile kept(copy.path);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), bytes);
    }
}

// A colleague's file with one valid key, whose name of the longest kind an own key bears in other
// case, and one damaged key: the damage is named, the valid key comes in beside the own one,
// its new name kept within the rule.
TEST(KeyImport, AddsTheValidKeysOfADamagedFileUnderAFreeName) {
    QTemporaryDir dir;
    QFile file(dir.filePath("Kollegin.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[oberstufe bayern 11b]\n1;50;1\n2;;2\n[Kaputt]\n1;;1\n2;;2\n");
    file.close();
    const settings::KeyFileLoad loaded = settings::loadKeyFile(file.fileName());
    EXPECT_EQ(loaded.problems,
              QString::fromUtf8("„Kaputt“, Zeile 5: Jede Note außer der schlechtesten braucht "
                                "eine Grenze."));
    grading::GradingKey own = tendencyKey();
    own.name = QStringLiteral("Oberstufe Bayern 11b");
    QStringList asked;
    const grading::Imported imported =
        grading::importKeys({own}, loaded.keys, [&](const grading::GradingKey& existing) {
            asked << existing.name;
            return grading::OnClash::KeepBoth;
        });
    EXPECT_EQ(asked, QStringList{own.name});
    EXPECT_EQ(imported.added, QStringList{"oberstufe bayern (2)"});
    ASSERT_EQ(imported.keys.size(), 2u);
    EXPECT_EQ(imported.keys[0], own);
    EXPECT_EQ(imported.keys[1].grades, loaded.keys[0].grades);
}

} // namespace
