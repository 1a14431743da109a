// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/KeyEditSession.h"

#include "settings/KeyFile.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/OwnKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// Answers the session's questions from a script, by the button a teacher would press; a question
// beyond the script is answered as the box's preset would be.
class Script : public keys::Questions {
public:
    explicit Script(QStringList answers) : m_answers(std::move(answers)) {}
    QStringList asked;
    std::function<void()> whileFirstAsked; // what another program does meanwhile

    bool yes(const QString& question) override { return next(question) == "Ja"; }
    bool overwrite(const QString& question, const QString& button) override {
        return next(question) == button;
    }
    bool discard(const QString& question) override { return next(question) == "Verwerfen"; }
    keys::OnClash onClash(const QString& question) override {
        const QString answer = next(question);
        return answer == "Ersetzen"         ? keys::OnClash::Replace
               : answer == "Beide behalten" ? keys::OnClash::KeepBoth
                                            : keys::OnClash::Skip;
    }
    // "OK" takes the proposal, "Abbrechen" cancels, any other answer is typed over it.
    std::optional<QString> keyName(const QString& question, const QString& proposal) override {
        const QString answer = next("[" + proposal + "] " + question);
        return answer == "Abbrechen" ? std::nullopt
                                     : std::optional(answer == "OK" ? proposal : answer);
    }

private:
    QString next(const QString& question) {
        if (asked.isEmpty() && whileFirstAsked) {
            whileFirstAsked();
        }
        asked << question;
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }
    QStringList m_answers;
};

// The key file, for a step to change as another program would while the editor is open.
struct Disk {
    QString path;
    void write(const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

using Session = keys::KeyEditSession;
using Step = std::function<Session::Outcome(Session&, const Disk&)>;

QByteArray block(const char* name, const char* bound) {
    return QByteArray("[") + name + "]\n1;" + bound + ";1\n2;;2\n";
}
const QByteArray abc = block("A", "40") + block("B", "40") + block("C", "40");
const QByteArray elsewhere = "[B]\n1;60;1\n2;;2\n# von nebenan\n";

// A new key of two grades, 1 from 50 % and 2.
Step saveNew(const char* name, const QByteArray& meanwhile = {}) {
    return [=](Session& session, const Disk& disk) {
        session.startNew(0);
        session.rows().show({{"1", "50", "1"}, {"2", "", "2"}}, std::nullopt);
        session.setName(name);
        if (!meanwhile.isEmpty()) {
            disk.write(meanwhile);
        }
        return session.save();
    };
}

Step rename(const char* from, const char* to) {
    return [=](Session& session, const Disk&) {
        session.open(from);
        session.setName(to);
        return session.save();
    };
}

// B opened, then the file written anew elsewhere, then B's bound set to 45 and saved.
Step saveAfter(const QByteArray& meanwhile) {
    return [=](Session& session, const Disk& disk) {
        session.open("B");
        disk.write(meanwhile);
        session.rows().setData(session.rows().index(0, keys::GradeRows::Bound), "45");
        return session.save();
    };
}

Step remove(const char* name, const QByteArray& meanwhile = {}) {
    return [=](Session& session, const Disk& disk) {
        session.open(name);
        if (!meanwhile.isEmpty()) {
            disk.write(meanwhile);
        }
        return session.remove(name);
    };
}

Step import(const char* name) {
    return [=](Session& session, const Disk&) {
        return session.importKeys(
            {{name, {{"1", 70.0, 100}, {"2", std::nullopt, 200}}, {}, {}, {}, {}}});
    };
}

struct SessionRow {
    std::string name;
    QByteArray before;
    Step step;
    QStringList answers = {};
    QStringList asked = {}; // each question asked holds its row, in this order
    QByteArray after = {};  // the key file afterwards; empty for unchanged
    QString status = {};
    bool done = true;
    QString keyText = QStringLiteral("GYM");
    QByteArray whileFirstAsked = {}; // written into the key file while the first question stands
};

class EditingSession : public testing::TestWithParam<SessionRow> {};

TEST_P(EditingSession, ChangesTheKeyFileAsTheTeacherSays) {
    const SessionRow& row = GetParam();
    QTemporaryDir dir;
    const Disk disk{dir.filePath("Zensulino-Notenschlüssel.txt")};
    disk.write(row.before);
    settings::KeyStore store(german, [&] { return disk.path; });
    Script script(row.answers);
    if (!row.whileFirstAsked.isEmpty()) {
        script.whileFirstAsked = [&] {
            disk.write(row.whileFirstAsked);
        };
    }
    Session session(store, row.keyText, german, script);
    const Session::Outcome outcome = row.step(session, disk);

    EXPECT_EQ(outcome.done, row.done);
    EXPECT_EQ(outcome.failure, "");
    EXPECT_EQ(outcome.status, row.status);
    ASSERT_EQ(script.asked.size(), row.asked.size()) << script.asked.join('\n').toStdString();
    for (qsizetype question = 0; question < row.asked.size(); ++question) {
        EXPECT_TRUE(script.asked[question].contains(row.asked[question]))
            << script.asked[question].toStdString();
    }
    EXPECT_EQ(disk.read(), row.after.isEmpty() ? row.before : row.after);
}

const char* const replace = "Einen Notenschlüssel „%1“ gibt es schon. Soll er durch diesen "
                            "ersetzt werden?";
QString replaceQuestion(const char* name) {
    return QString::fromUtf8(replace).arg(name);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditingSession,
    testing::Values(
        SessionRow{.name = "new_key",
                   .before = abc,
                   .step = saveNew("D"),
                   .after = abc + block("D", "50"),
                   .status = "„D“ ist gespeichert."},
        SessionRow{.name = "new_key_on_a_name_in_other_case_replaces_it",
                   .before = abc,
                   .step = saveNew("b"),
                   .answers = {"Ja"},
                   .asked = {replaceQuestion("B")},
                   .after = block("A", "40") + block("b", "50") + block("C", "40"),
                   .status = "„b“ ist gespeichert."},
        SessionRow{.name = "new_key_on_a_taken_name_not_saved",
                   .before = abc,
                   .step = saveNew("B"),
                   .answers = {"Nein"},
                   .asked = {replaceQuestion("B")},
                   .done = false},
        SessionRow{.name = "new_key_on_the_name_of_a_key_written_elsewhere",
                   .before = {},
                   .step = saveNew("gamma", block("Gamma", "60")),
                   .answers = {"Nein"},
                   .asked = {replaceQuestion("Gamma")},
                   .after = block("Gamma", "60"),
                   .done = false},
        SessionRow{.name = "same_key_saved_unchanged",
                   .before = abc,
                   .step = rename("B", "B"),
                   .status = "„B“ ist gespeichert."},
        SessionRow{.name = "renamed_keeps_its_place",
                   .before = abc,
                   .step = rename("B", "Z"),
                   .after = block("A", "40") + block("Z", "40") + block("C", "40"),
                   .status = "„Z“ ist gespeichert."},
        SessionRow{.name = "renamed_key_of_the_main_window_taken_along",
                   .before = abc,
                   .step = rename("B", "Z"),
                   .after = block("A", "40") + block("Z", "40") + block("C", "40"),
                   .status = "„Z“ ist gespeichert. Im Hauptfenster ist er unter diesem Namen "
                             "gewählt.",
                   .keyText = "B"},
        SessionRow{.name = "renamed_onto_a_later_key",
                   .before = abc,
                   .step = rename("A", "c"),
                   .answers = {"Ja"},
                   .asked = {replaceQuestion("C")},
                   .after = block("c", "40") + block("B", "40"),
                   .status = "„c“ ist gespeichert."},
        SessionRow{.name = "renamed_onto_an_earlier_key",
                   .before = abc,
                   .step = rename("C", "A"),
                   .answers = {"Ja"},
                   .asked = {replaceQuestion("A")},
                   .after = block("B", "40") + block("A", "40"),
                   .status = "„A“ ist gespeichert."},
        SessionRow{.name = "changed_on_disk_kept_on_abbrechen",
                   .before = abc,
                   .step = saveAfter(elsewhere),
                   .answers = {"Abbrechen"},
                   .asked = {"„B“ wurde inzwischen außerhalb dieses Fensters geändert. Mit dieser "
                             "Fassung überschreiben?"},
                   .after = elsewhere,
                   .done = false},
        SessionRow{.name = "changed_on_disk_overwritten_its_comment_kept",
                   .before = abc,
                   .step = saveAfter(elsewhere),
                   .answers = {"Überschreiben"},
                   .asked = {"Mit dieser Fassung überschreiben?"},
                   .after = "[B]\n1;45;1\n2;;2\n# von nebenan\n",
                   .status = "„B“ ist gespeichert."},
        SessionRow{.name = "deleted_on_disk_saved_again_when_asked",
                   .before = abc,
                   .step = saveAfter(block("A", "40") + block("C", "40")),
                   .answers = {"Speichern"},
                   .asked = {"„B“ wurde inzwischen außerhalb dieses Fensters gelöscht. Wieder "
                             "speichern?"},
                   .after = block("A", "40") + block("C", "40") + block("B", "45"),
                   .status = "„B“ ist gespeichert."},
        SessionRow{.name = "deleted_on_disk_deleted_without_a_second_question",
                   .before = abc,
                   .step = remove("B", block("A", "40") + block("C", "40")),
                   .answers = {"Ja"},
                   .asked = {"Den Notenschlüssel „B“ löschen?"},
                   .after = block("A", "40") + block("C", "40"),
                   .status = "„B“ ist gelöscht."},
        SessionRow{.name = "approval_chosen_is_saved_with_the_weak_grade",
                   .before = abc,
                   .step =
                       [](Session& session, const Disk&) {
                           session.open("B");
                           session.rows().setFirstWeak(1);
                           session.setApproval(grading::approvalFromFileText("ab 1/3").limit);
                           return session.save();
                       },
                   .after = block("A", "40") +
                            "[B]\n1;40;1\n2;;2\nschwach ab=2\ngenehmigung=ab 1/3\n" +
                            block("C", "40"),
                   .status = "„B“ ist gespeichert."},
        SessionRow{.name = "approval_without_a_weak_grade_refused",
                   .before = abc,
                   .step =
                       [](Session& session, const Disk&) {
                           session.open("B");
                           session.setApproval(grading::approvalFromFileText("ab 1/3").limit);
                           return session.save();
                       },
                   .done = false},
        SessionRow{.name = "approval_in_the_files_own_words_kept",
                   .before = "[B]\n1;40;1\n2;;2\nschwach ab=2\ngenehmigung=mehr als 33,33 %\n",
                   .step = rename("B", "Z"),
                   .after = "[Z]\n1;40;1\n2;;2\nschwach ab=2\ngenehmigung=mehr als 33,33 %\n",
                   .status = "„Z“ ist gespeichert."},
        SessionRow{.name = "deleted",
                   .before = abc,
                   .step = remove("B"),
                   .answers = {"Ja"},
                   .asked = {"Den Notenschlüssel „B“ löschen?"},
                   .after = block("A", "40") + block("C", "40"),
                   .status = "„B“ ist gelöscht."},
        SessionRow{.name = "deletion_called_off",
                   .before = abc,
                   .step = remove("B"),
                   .answers = {"Nein"},
                   .asked = {"Den Notenschlüssel „B“ löschen?"},
                   .done = false},
        SessionRow{.name = "deleted_key_of_the_main_window_grades_as_gym",
                   .before = abc,
                   .step = remove("B"),
                   .answers = {"Ja"},
                   .asked = {"löschen?\n\nIm Hauptfenster ist „B“ als Schlüssel gewählt; der "
                             "Schlüssel bleibt dort stehen, und es wird danach nach GYM benotet."},
                   .after = block("A", "40") + block("C", "40"),
                   .status = "„B“ ist gelöscht. Im Hauptfenster ist „B“ als Schlüssel gewählt; "
                             "der Schlüssel bleibt dort stehen, und es wird danach nach GYM "
                             "benotet.",
                   .keyText = "B"},
        SessionRow{.name = "deleted_after_a_change_on_disk_when_asked",
                   .before = abc,
                   .step = remove("B", elsewhere),
                   .answers = {"Ja", "Löschen"},
                   .asked = {"Den Notenschlüssel „B“ löschen?",
                             "„B“ wurde inzwischen außerhalb dieses Fensters geändert. Trotzdem "
                             "löschen?"},
                   .after = "# von nebenan\n",
                   .status = "„B“ ist gelöscht."},
        SessionRow{.name = "imported_in_the_place_of_its_namesake",
                   .before = abc,
                   .step = import("b"),
                   .answers = {"Ersetzen"},
                   .asked = {"Einen Notenschlüssel „B“ gibt es schon. Soll der aus der Datei ihn "
                             "ersetzen, sollen beide bleiben"},
                   .after = block("A", "40") + block("b", "70") + block("C", "40"),
                   .status = "Importiert: „b“."},
        SessionRow{.name = "import_over_a_key_changed_while_asked_asks_again",
                   .before = abc,
                   .step = import("b"),
                   .answers = {"Ersetzen"},
                   .asked = {"„B“ gibt es schon",
                             "„B“ wurde inzwischen außerhalb dieses Fensters geändert. Mit dieser "
                             "Fassung überschreiben?"},
                   .after = elsewhere,
                   .status = "Kein Notenschlüssel importiert.",
                   .done = false,
                   .whileFirstAsked = elsewhere},
        SessionRow{.name = "imported_beside_its_namesake",
                   .before = abc,
                   .step = import("B"),
                   .answers = {"Beide behalten"},
                   .asked = {"„B“ gibt es schon"},
                   .after = abc + block("B (2)", "70"),
                   .status = "Importiert: „B (2)“."},
        SessionRow{.name = "import_of_16_characters_numbered_unasked",
                   .before = abc + block("Klasse 8a Physik", "50"),
                   .step = import("klasse 8a physik"),
                   .answers = {"Beide behalten"},
                   .asked = {"„Klasse 8a Physik“ gibt es schon"},
                   .after = abc + block("Klasse 8a Physik", "50") +
                            block("klasse 8a physik (2)", "70"),
                   .status = "Importiert: „klasse 8a physik (2)“."},
        SessionRow{.name = "import_of_17_characters_asks_for_a_name",
                   .before = block("Klasse 10a Physik", "50"),
                   .step = import("Klasse 10a Physik"),
                   .answers = {"Beide behalten", "OK"},
                   .asked = {"gibt es schon", "[Klasse 10a… (2)]"},
                   .after = block("Klasse 10a Physik", "50") + "# von nebenan\n" +
                            block("Klasse 10a… (2)", "70"),
                   .status = "Importiert: „Klasse 10a… (2)“.",
                   .whileFirstAsked = block("Klasse 10a Physik", "50") + "# von nebenan\n"},
        SessionRow{.name = "import_of_19_characters_named_as_proposed",
                   .before = block("1 bis 6 - 4 ab 50 %", "50"),
                   .step = import("1 bis 6 - 4 ab 50 %"),
                   .answers = {"Beide behalten", "OK"},
                   .asked = {"„1 bis 6 - 4 ab 50 %“ gibt es schon",
                             "[1 bis 6 - 4 ab… (2)] „1 bis 6 - 4 ab 50 %“ aus der Datei bleibt "
                             "neben dem eigenen Notenschlüssel und braucht einen anderen Namen: "
                             "Mit einer Nummer wäre er länger als 20 Zeichen."},
                   .after = block("1 bis 6 - 4 ab 50 %", "50") + block("1 bis 6 - 4 ab… (2)", "70"),
                   .status = "Importiert: „1 bis 6 - 4 ab… (2)“."},
        SessionRow{
            .name = "import_of_20_characters_named_again_where_refused",
            .before = abc + block("Oberstufe Bayern 11b", "50"),
            .step = import("Oberstufe Bayern 11b"),
            .answers = {"Beide behalten", "a", "Kollegin Oberstufe Bayern", "Kollegin, Oberstufe"},
            .asked = {"„Oberstufe Bayern 11b“ gibt es schon", "[Oberstufe… (2)] „Oberstufe",
                      "[a] Den Namen „a“ trägt schon ein anderer Notenschlüssel",
                      "[Kollegin Oberstufe Bayern] Der Name muss 1 bis 20 Zeichen lang"},
            .after = abc + block("Oberstufe Bayern 11b", "50") + block("Kollegin, Oberstufe", "70"),
            .status = "Importiert: „Kollegin, Oberstufe“."},
        SessionRow{.name = "import_of_one_word_of_19_cut_within_it_then_cancelled",
                   .before = block("Oberstufenschlüssel", "50"),
                   .step = import("Oberstufenschlüssel"),
                   .answers = {"Beide behalten", "Abbrechen"},
                   .asked = {"„Oberstufenschlüssel“ gibt es schon", "[Oberstufenschlü… (2)]"},
                   .status = "Kein Notenschlüssel importiert.",
                   .done = false},
        SessionRow{.name = "import_skipped",
                   .before = abc,
                   .step = import("B"),
                   .answers = {"Überspringen"},
                   .asked = {"„B“ gibt es schon"},
                   .status = "Kein Notenschlüssel importiert.",
                   .done = false},
        SessionRow{
            .name = "key_shown_replaced_by_an_import_shows_the_new_one",
            .before = abc,
            .step =
                [](Session& session, const Disk&) {
                    session.open("B");
                    session.importKeys(
                        {{"B", {{"1", 70.0, 100}, {"2", std::nullopt, 200}}, {}, {}, {}, {}}});
                    // No question: the form shows the key as it came in.
                    session.rows().setData(session.rows().index(0, keys::GradeRows::Bound), "45");
                    return session.save();
                },
            .answers = {"Ersetzen"},
            .asked = {"„B“ gibt es schon"},
            .after = block("A", "40") + block("B", "45") + block("C", "40"),
            .status = "„B“ ist gespeichert."},
        SessionRow{.name = "changes_left_only_when_discarded",
                   .before = abc,
                   .step =
                       [](Session& session, const Disk&) {
                           session.open("B");
                           session.rows().removeRow(0);
                           return Session::Outcome{session.mayLeave(), {}, {}, {}};
                       },
                   .answers = {"Abbrechen"},
                   .asked = {"Die Änderungen an „B“ sind nicht gespeichert. Verwerfen?"},
                   .done = false}),
    ROW_NAMES);

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
    const keys::Imported imported = keys::importKeys(
        {own}, loaded.keys,
        [&](const grading::GradingKey& existing) {
            asked << existing.name;
            return keys::OnClash::KeepBoth;
        },
        [&](const grading::GradingKey& key, const QString& proposal, const QStringList&) {
            asked << key.name + ": " + proposal;
            return proposal;
        });
    EXPECT_EQ(asked, QStringList({own.name, QString::fromUtf8("oberstufe bayern 11b: "
                                                              "oberstufe… (2)")}));
    EXPECT_EQ(imported.added, QStringList{QString::fromUtf8("oberstufe… (2)")});
    ASSERT_EQ(imported.keys.size(), 2u);
    EXPECT_EQ(imported.keys[0], own);
    EXPECT_EQ(imported.keys[1].grades, loaded.keys[0].grades);
}

// The editor opens on the window's key where it is an own key by that very name, as the window
// grades by it; "beta" or "Beta " grade under no own key, and the editor starts a new one.
TEST(Session, StartsOnTheOwnKeyInUse) {
    QTemporaryDir dir;
    const Disk disk{dir.filePath("Zensulino-Notenschlüssel.txt")};
    disk.write(abc);
    settings::KeyStore store(german, [&] { return disk.path; });
    Script script({});
    for (const auto& [keyText, editing] : {std::pair<QString, std::optional<QString>>{"B", "B"},
                                           {"b", std::nullopt},
                                           {"B ", std::nullopt},
                                           {"GYM", std::nullopt}}) {
        EXPECT_EQ(Session(store, keyText, german, script).editing(), editing)
            << keyText.toStdString();
    }
}

} // namespace
