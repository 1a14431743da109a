// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryBox.h"

#include "settings/KeyFile.h"
#include "tests/support/ModalBox.h"
#include "tests/support/OwnKeys.h"
#include "tests/support/SampleSheet.h"
#include "tests/support/ShownWindow.h"
#include "window/KeyTableSection.h"
#include "window/frmMain.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <random>

using grading::Field;

namespace {

// The window, with the grade-memory box a choice of its context menu away.
using MemoryBox = ShownWindow;

TEST_F(MemoryBox, GradeMemoryBoxShowsHeadingThenEntries) {
    auto shownText = [&] {
        QString text;
        withModalBox([&] { action("mnuCache")->trigger(); },
                     [&](QDialog* box) {
                         auto* memoryBox = dynamic_cast<GradeMemoryBox*>(box);
                         ASSERT_NE(memoryBox, nullptr);
                         EXPECT_EQ(memoryBox->windowTitle(), "Noten-Speicher");
                         text = memoryBox->shownText();
                     });
        return text;
    };
    EXPECT_EQ(shownText(), "Folgende Noten wurden berechnet: \n");

    m_window->setText(Field::Rohpunkte, "40");
    m_window->setText(Field::Punkte, "35");
    m_window->cmdCalc_Click();
    m_window->setText(Field::Punkte, "18");
    m_window->setText(Field::Schluessel, "IHK");
    m_window->cmdCalc_Click();
    EXPECT_EQ(shownText(),
              "Folgende Noten wurden berechnet: \n\n87,5 % = 13 (GYM)\n45,0 % = 5 (IHK)");
}

TEST_F(MemoryBox, GradeMemoryBoxShowsTheNotenspiegelAndCopiesIt) {
    auto type = [&](const char* name, const QString& text) {
        auto* field = m_window->findChild<QLineEdit*>(QString::fromUtf8(name));
        field->selectAll();
        QTest::keyClicks(field, text);
    };
    auto* berechnen = m_window->findChild<QWidget*>("cmdCalc");
    type("txtRohpunkte", "40");
    for (const char* achieved : {"35", "18", "35"}) {
        type("txtPunkte", achieved);
        QTest::mouseClick(berechnen, Qt::LeftButton);
    }
    m_window->findChild<QComboBox*>(QString::fromUtf8("cboSchlüssel"))->setCurrentIndex(1);
    QTest::mouseClick(berechnen, Qt::LeftButton);

    QStringList headers;
    QStringList counts;
    withModalBox([&] { action("mnuCache")->trigger(); },
                 [&](QDialog* box) {
                     auto tables = box->findChildren<QTableWidget*>();
                     tables.removeIf([](QTableWidget* table) {
                         return !table->accessibleName().startsWith("Notenspiegel");
                     });
                     ASSERT_EQ(tables.size(), 2);
                     for (QTableWidget* table : tables) {
                         QStringList header;
                         QStringList row;
                         for (int column = 0; column < table->columnCount(); ++column) {
                             header << table->horizontalHeaderItem(column)->text();
                             row << table->item(0, column)->text();
                         }
                         headers << table->accessibleName() + ": " + header.join(' ');
                         counts << row.join(' ');
                         EXPECT_GE(table->width(), table->horizontalHeader()->length());
                     }
                     QApplication::clipboard()->clear();
                     auto* copy = box->findChild<QPushButton*>("copyNotenspiegel");
                     ASSERT_NE(copy, nullptr);
                     QTest::mouseClick(copy, Qt::LeftButton);
                 });
    EXPECT_EQ(headers.join('|'), "Notenspiegel (GYM): 15 14 13 12 11 10 09 08 07 06 05 04 03 02 "
                                 "01 00|Notenspiegel (IHK): 1 2 3 4 5 6");
    EXPECT_EQ(counts.join('|'), "0 0 2 0 0 0 0 0 0 0 1 0 0 0 0 0|0 1 0 0 0 0");
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("Notenspiegel (GYM)\nPunkte\t15\t14")) << copied.toStdString();
    EXPECT_TRUE(
        copied.contains(QString::fromUtf8("Durchschnitt (Punkte)\t10,33\nMedian\t13,00\nunter 05 "
                                          "Punkten\t0\t0 %\n\nNotenspiegel (IHK)")))
        << copied.toStdString();
    const QString html = QApplication::clipboard()->mimeData()->html();
    EXPECT_TRUE(html.contains("<caption>Notenspiegel (IHK)</caption>\n<tr><th>Note</th><th>1</th>"))
        << html.toStdString();
}

TEST_F(MemoryBox, KeyTableForTheTypedMaximumInWholePointsIsCopied) {
    auto* rohpunkte = m_window->findChild<QLineEdit*>("txtRohpunkte");
    rohpunkte->selectAll();
    QTest::keyClicks(rohpunkte, "47,5");
    QString heading;
    bool startedInHalves = false;
    withModalBox(
        [&] { action("mnuCache")->trigger(); },
        [&](QDialog* box) {
            auto* halves = box->findChild<QCheckBox*>();
            ASSERT_NE(halves, nullptr);
            startedInHalves = halves->isChecked();
            QTest::mouseClick(halves, Qt::LeftButton);
            heading =
                box->findChild<QWidget*>("keyTable")->findChild<QTableWidget*>()->accessibleName();
            QTest::mouseClick(box->findChild<QPushButton*>("copyNotenschluessel"), Qt::LeftButton);
        });
    EXPECT_TRUE(startedInHalves) << "a maximum ending in a half starts in half points";
    EXPECT_EQ(heading, QString::fromUtf8("Notenschlüssel für 47,5 Rohpunkte (GYM)"));
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Punkte\tab\tbis\n15\t46\t47\n14\t43\t45\n13\t41\t42\n12\t38\t40\n"
              "11\t36\t37\n10\t34\t35\n09\t31\t33\n08\t29\t30\n07\t27\t28\n06\t24\t26\n"
              "05\t22\t23\n04\t19\t21\n03\t17\t18\n02\t14\t16\n01\t10\t13\n00\t0\t9\n");
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->html().contains(
        QString::fromUtf8("<caption>Notenschlüssel für 47,5 Rohpunkte (GYM)</caption>\n<tr><th>"
                          "Punkte</th><th>ab</th><th>bis</th></tr>\n<tr><td>15</td><td>46</td>")));
}

// Another key's table as the sheet takes it beside the key table shown.
std::optional<grading::PasteTable> besideShown(const KeyTableSection& shown,
                                               const grading::GradingKey& key,
                                               const grading::OutOf& outOf) {
    return grading::keyTableFor(key, outOf, grading::stepFor(key, outOf, shown.chosen()),
                                QLocale(QLocale::German, QLocale::Germany));
}

// An error key's table needs no maximum and starts in half errors where a bound is a half; a
// points key then shown asks for the maximum, a key by errors per 100 words for the words, and a
// points key beside an error key keeps its own step.
TEST(KeyTableSection, ErrorKeyNeedsNoMaximumAndStartsInHalfErrors) {
    const QLocale german(QLocale::German, QLocale::Germany);
    KeyTableSection section("", std::make_shared<const grading::GradingKey>(dictationKey()), german,
                            nullptr);
    auto* halves = section.findChild<QCheckBox*>();
    EXPECT_EQ(halves->text(), "&halbe Fehler");
    EXPECT_TRUE(halves->isChecked());
    ASSERT_TRUE(section.shownTable().has_value());
    EXPECT_EQ(grading::tabSeparated({*section.shownTable()}, true),
              QString::fromUtf8("Notenschlüssel nach Fehlern (Diktat)\nNote\tvon\tbis\n1\t0\t0\n"
                                "2\t0,5\t2\n3\t2,5\t6,5\n4\t7\t11\n5\t11,5\t18\n6\t18,5\t\n"));

    section.setKey(grading::Keys(german).gym());
    EXPECT_FALSE(section.shownTable().has_value());
    EXPECT_TRUE(halves->isHidden());

    // A key by errors per 100 words asks for the words, and its table is for them.
    const auto quotient = std::make_shared<const grading::GradingKey>(quotientKey());
    section.setKey(quotient);
    EXPECT_EQ(section.findChild<QLabel*>()->text(),
              QString::fromUtf8("Für den Notenschlüssel bitte die Zahl der Wörter ab 1 eingeben "
                                "(im Feld „Rohpunkte“, das unter diesem Schlüssel „Wörter“ "
                                "heißt)."));
    const KeyTableSection forWords("125", quotient, german, nullptr);
    EXPECT_EQ(forWords.shownTable()->caption,
              QString::fromUtf8("Notenschlüssel für 125 Wörter (Quotient)"));
    // A dictation of the same exam keeps its half errors beside it.
    EXPECT_EQ(grading::tabSeparated({*besideShown(forWords, dictationKey(), {{}, 125})}, false)
                  .section('\n', 3, 3),
              "3\t2,5\t6,5");

    // Half errors chosen leave a points key of the same exam in whole points.
    const KeyTableSection beside("40", std::make_shared<const grading::GradingKey>(dictationKey()),
                                 german, nullptr);
    EXPECT_EQ(
        grading::tabSeparated({*besideShown(beside, *grading::Keys(german).gym(), {40, {}})}, false)
            .section('\n', 2, 2),
        "14\t36\t37");
}

TEST_F(MemoryBox, EntriesTakenOutLeaveTheNotenspiegelAndComeBackWithCtrlZ) {
    auto* punkte = m_window->findChild<QLineEdit*>("txtPunkte");
    m_window->findChild<QLineEdit*>("txtRohpunkte")->setText("40");
    // 13, 05, 11, 01, 06 and 15 points
    for (const char* achieved : {"35", "18", "30", "10", "20", "38"}) {
        punkte->selectAll();
        QTest::keyClicks(punkte, achieved);
        QTest::keyClick(punkte, Qt::Key_Return);
    }
    auto summaryShown = [](QDialog* box) {
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text().contains("Durchschnitt")) {
                return label->text();
            }
        }
        return QString();
    };
    QStringList shown;
    withModalBox(
        [&] { action("mnuCache")->trigger(); },
        [&](QDialog* box) {
            auto* lines = box->findChild<QListView*>();
            // Every signal the list model sends through the removals and Ctrl+Z keeps Qt's rules.
            const QAbstractItemModelTester tester(
                lines->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
            const QStandardItemModel foreign(100, 1);
            EXPECT_FALSE(lines->model()->data(foreign.index(50, 0)).isValid());
            auto* remove = box->findChild<QPushButton*>("removeEntry");
            auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers = {}) {
                QTest::mouseClick(lines->viewport(), Qt::LeftButton, modifiers,
                                  lines->visualRect(lines->model()->index(row, 0)).center());
            };
            auto selectedRows = [&] {
                QStringList rows;
                for (const QModelIndex& row : lines->selectionModel()->selectedRows()) {
                    rows << QString::number(row.row());
                }
                rows.sort();
                return rows.join(' ');
            };
            clickRow(0);
            QTest::keyClick(lines, Qt::Key_Delete);
            EXPECT_FALSE(remove->isEnabled()) << "the heading stays";
            // Two runs apart: 05 and 11, then 06.
            clickRow(3);
            clickRow(4, Qt::ShiftModifier);
            clickRow(6, Qt::ControlModifier);
            QTest::mouseClick(remove, Qt::LeftButton);
            shown << dynamic_cast<GradeMemoryBox*>(box)->shownText() << summaryShown(box)
                  << selectedRows();
            QTest::mouseClick(box->findChild<QPushButton*>("copyNotenspiegel"), Qt::LeftButton);
            shown << QApplication::clipboard()->text().section('\n', 4, 4);
            QTest::keySequence(lines, QKeySequence::Undo);
            shown << dynamic_cast<GradeMemoryBox*>(box)->shownText().section('\n', 2)
                  << summaryShown(box) << selectedRows();
            lines->setFocus(Qt::TabFocusReason);
            QTest::keyClick(lines, Qt::Key_Delete); // the same three again, by the key
            // Every entry out: nothing is left to copy.
            clickRow(2);
            clickRow(lines->model()->rowCount() - 1, Qt::ShiftModifier);
            QTest::keyClick(lines, Qt::Key_Delete);
            shown << (box->findChild<QPushButton*>("copyNotenspiegel")->isVisible()
                          ? "Notenspiegel kopieren"
                          : "");
            QTest::keySequence(lines, QKeySequence::Undo);
        });
    EXPECT_EQ(shown,
              QStringList(
                  {"Folgende Noten wurden berechnet: \n\n87,5 % = 13 (GYM)\n"
                   "25,0 % = 01 (GYM)\n95,0 % = 15 (GYM)",
                   QString::fromUtf8("3 Ergebnisse · Durchschnitt (Punkte): 9,67 · Median: 13,00 · "
                                     "unter 05 Punkten: 1 (33,3 %)"),
                   "3", "Ergebnisse\t3",
                   "87,5 % = 13 (GYM)\n45,0 % = 05 (GYM)\n75,0 % = 11 (GYM)\n"
                   "25,0 % = 01 (GYM)\n50,0 % = 06 (GYM)\n95,0 % = 15 (GYM)",
                   QString::fromUtf8("6 Ergebnisse · Durchschnitt (Punkte): 8,50 · Median: 8,50 · "
                                     "unter 05 Punkten: 1 (16,7 %)"),
                   "3 4 6", ""}));
    EXPECT_EQ(m_window->notenSpeicher().entries(),
              "\r87,5 % = 13 (GYM)\r25,0 % = 01 (GYM)\r95,0 % = 15 (GYM)")
        << "closing the box keeps what it shows";
}

// Results typed task by task: the analysis stands under the Notenspiegel, Tab passes its table,
// Delete and Ctrl+Z change it at once, and it is copied after the Notenspiegel.
TEST_F(MemoryBox, TaskAnalysisFollowsRemovalsAndIsCopiedAfterTheNotenspiegel) {
    auto* punkte = m_window->findChild<QLineEdit*>("txtPunkte");
    m_window->findChild<QLineEdit*>("txtRohpunkte")->setText("10+8+12+6");
    for (const char* achieved : {"8+5+12+3", "10 + 8 + 11,5 + 6", "4+3+2+1"}) {
        punkte->selectAll();
        QTest::keyClicks(punkte, achieved);
        QTest::keyClick(punkte, Qt::Key_Return);
    }
    QStringList shown;
    withModalBox([&] { action("mnuCache")->trigger(); },
                 [&](QDialog* box) {
                     auto analysisShown = [&] {
                         for (QTableWidget* table : box->findChildren<QTableWidget*>()) {
                             if (table->accessibleName().startsWith("Aufgaben")) {
                                 QStringList last;
                                 for (int column = 0; column < table->columnCount(); ++column) {
                                     last << table->item(table->rowCount() - 1, column)->text();
                                 }
                                 return table->accessibleName() + ": " + last.join(' ');
                             }
                         }
                         return QString();
                     };
                     auto* lines = box->findChild<QListView*>();
                     shown << analysisShown();
                     lines->setFocus(Qt::TabFocusReason);
                     lines->setCurrentIndex(lines->model()->index(4, 0));
                     QTest::keyClick(lines, Qt::Key_Delete);
                     shown << analysisShown();
                     QTest::keySequence(lines, QKeySequence::Undo);
                     shown << analysisShown();
                     QApplication::processEvents();
                     lines->setFocus(Qt::TabFocusReason);
                     for (int tab = 0; tab < 3; ++tab) {
                         QTest::keyClick(box->focusWidget(), Qt::Key_Tab);
                         shown << box->focusWidget()->accessibleName();
                     }
                     QTest::mouseClick(box->findChild<QPushButton*>("copyNotenspiegel"),
                                       Qt::LeftButton);
                 });
    EXPECT_EQ(shown, QStringList({"Aufgaben (10+8+12+6), 3 Arbeiten: Gesamt 36 24,50 68,1 % 0",
                                  "Aufgaben (10+8+12+6), 2 Arbeiten: Gesamt 36 31,75 88,2 % 0",
                                  "Aufgaben (10+8+12+6), 3 Arbeiten: Gesamt 36 24,50 68,1 % 0",
                                  "Notenspiegel (GYM)", "Aufgaben (10+8+12+6), 3 Arbeiten", ""}));
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QString::fromUtf8(
        "\n\nAufgaben (10+8+12+6), 3 Arbeiten\nAufgabe\tPunkte\tMittel\tLösungsquote\tvolle "
        "Punktzahl\n1\t10\t7,33\t73,3 %\t1\n")))
        << copied.toStdString();
    EXPECT_TRUE(copied.endsWith(QString::fromUtf8("Schwerste Aufgabe: 4 (55,6 %)\n")))
        << copied.toStdString();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->html().contains(
        "<caption>Aufgaben (10+8+12+6), 3 Arbeiten</caption>"));
}

// Own keys drawn at random, each graded, then shown in the box, copied and put on the sheet: every
// table holds the key's own grades and counts, its weak results only where it names them, and its
// approval decision where it has a limit.
TEST(GradeMemoryBox, RandomOwnKeysShowCopyAndPrintTheirOwnFigures) {
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const std::uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        std::vector<grading::GradingKey> drawn = randomKeys(seed, 8);
        for (grading::GradingKey& errorKey : randomKeys(seed + 10, 3, grading::Scale::Errors)) {
            errorKey.name.replace(0, 1, u'F');
            drawn.push_back(errorKey);
        }
        QTemporaryDir dir;
        const QString settingsPath = dir.filePath("Zensulino.ini");
        QFile keyFile(settings::keyFilePath(settingsPath));
        ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
        keyFile.write(settings::formatKeyFile(drawn));
        keyFile.close();
        frmMain window(german, [&] { return settingsPath; });
        window.show();
        ASSERT_EQ(window.keys().all().size(), drawn.size() + 2);

        std::mt19937 draw(seed);
        QStringList expected;   // the copy, each average and share as "…"
        QList<qsizetype> parts; // of each summary line: results, average, median, weak results
        for (const grading::GradingKey& key : drawn) {
            window.setText(Field::Schluessel, key.name);
            window.setText(Field::Rohpunkte, "100");
            std::vector<qint64> counts(key.grades.size());
            const auto results = 1 + draw() % 30;
            for (std::uint32_t r = 0; r < results; ++r) {
                // Each grade's own bound of 100 points or of errors earns it; nothing, or more
                // errors than any bound, earns the worst.
                const std::size_t grade = draw() % key.grades.size();
                const auto& bound = key.grades[grade].bound;
                const QString worst = key.scale == grading::Scale::Errors ? "1000,5" : "0";
                window.setText(Field::Punkte, bound ? german.toString(*bound, 'f', 2) : worst);
                ASSERT_TRUE(window.cmdCalc_Click());
                ++counts[grade];
            }
            QStringList texts{"Note"};
            QStringList countRow{"Anzahl"};
            QStringList shareRow{"Anteil"};
            qint64 weak = 0;
            for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
                texts << key.grades[grade].text;
                countRow << QString::number(counts[grade]);
                shareRow << "… %";
                weak += key.firstWeak && grade >= *key.firstWeak ? counts[grade] : 0;
            }
            expected << "Notenspiegel (" + key.name + ")\n" + texts.join('\t') + '\n' +
                            countRow.join('\t') + '\n' + shareRow.join('\t') +
                            QStringLiteral("\nErgebnisse\t%1\nDurchschnitt\t…\nMedian\t…\n")
                                .arg(results) +
                            (key.firstWeak
                                 ? QStringLiteral("%1\t%2\t… %\n").arg(key.weakHeading).arg(weak)
                                 : QString()) +
                            (key.approval && key.firstWeak
                                 ? QStringLiteral("%1: %2 von %3 schwach\n")
                                       .arg(key.approval->reached(weak, results)
                                                ? "Genehmigung nötig"
                                                : "Keine Genehmigung nötig")
                                       .arg(weak)
                                       .arg(results)
                                 : QString());
            parts << (key.firstWeak ? 4 : 3);
        }

        QString copied;
        QString keyTableHeading;
        QList<qsizetype> shownParts;
        ASSERT_TRUE(withModalBox(
            [&] { window.contextMenu()->findChild<QAction*>("mnuCache")->trigger(); },
            [&](QDialog* box) {
                QTest::mouseClick(box->findChild<QPushButton*>("copyNotenspiegel"), Qt::LeftButton);
                copied = QApplication::clipboard()->text();
                keyTableHeading =
                    box->findChild<QWidget*>("keyTable")->findChild<QLabel*>()->text();
                for (QLabel* label : box->findChildren<QLabel*>()) {
                    if (label->text().contains(QString::fromUtf8(" · Durchschnitt: "))) {
                        shownParts << label->text().split(QString::fromUtf8(" · ")).size();
                    }
                }
            }));
        copied.replace(QRegularExpression("((?:Durchschnitt|Median)\t)[-0-9,]+"), "\\1…")
            .replace(QRegularExpression("\t[0-9,]+ %"), "\t… %")
            .replace(
                QRegularExpression("(nötig: \\d+ von \\d+ schwach) \\([^)]*\\), Grenze: [^\n]*"),
                "\\1");
        EXPECT_EQ(copied, expected.join('\n'));
        EXPECT_EQ(shownParts, parts);
        EXPECT_EQ(keyTableHeading, "Notenschlüssel nach Fehlern (" + drawn.back().name + ")");
        const QByteArray pdf =
            examSheetPdf(sampleSheet(window.notenSpeicher(), window.keys(), german), german);
        EXPECT_TRUE(pdf.startsWith("%PDF") && pdf.contains("%%EOF"));
    }
}

TEST(GradeMemoryBox, ShowsTenThousandEntriesWholeAndScrollsToTheLast) {
    const grading::Keys keys(QLocale::c());
    grading::NotenSpeicher memory;
    for (int i = 0; i < 10'000; ++i) {
        memory.append(QString("%1,0 %").arg(i), keys.gym(), 10, {});
    }
    GradeMemoryBox box(memory, "40", keys.gym(), nullptr);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    auto* lines = box.findChild<QListView*>();
    EXPECT_EQ(lines->model()->rowCount(), 10'002);
    EXPECT_LT(box.height(), 1000) << "the box must fit on a screen";
    lines->scrollToBottom();
    QApplication::processEvents();
    const QModelIndex last = lines->model()->index(10'001, 0);
    EXPECT_EQ(last.data().toString(), "9999,0 % = 05 (GYM)");
    EXPECT_TRUE(lines->viewport()->rect().contains(lines->visualRect(last)));

    QApplication::clipboard()->clear();
    QTest::keySequence(&box, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), memory.messageText().replace('\r', '\n'));
    lines->setFocus();
    lines->selectionModel()->select(lines->model()->index(3, 0), QItemSelectionModel::Select);
    lines->selectionModel()->select(lines->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::keySequence(lines, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "0,0 % = 05 (GYM)\n1,0 % = 05 (GYM)");
}

} // namespace
