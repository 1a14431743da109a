// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FieldTexts.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModalBox.h"
#include "window/AboutText.h"
#include "window/GradeMemoryBox.h"
#include "window/frmMain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using grading::Field;

namespace {

class ContextMenu : public testing::Test {
protected:
    void SetUp() override {
        m_window = std::make_unique<frmMain>(QLocale(QLocale::German, QLocale::Germany),
                                             [this] { return m_dir.filePath("Zensulino.ini"); });
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    void TearDown() override { m_window->contextMenu()->hide(); }

    // Delivers the press where the window system would: to the topmost widget under the point
    // that takes mouse events, or to the window itself.
    void pressAt(QPoint position, Qt::MouseButton button) {
        QWidget* target = m_window->childAt(position);
        if (target == nullptr) {
            target = m_window.get();
        }
        QTest::mousePress(target, button, {}, target->mapFrom(m_window.get(), position));
    }

    bool menuOpen() const { return m_window->contextMenu()->isVisible(); }

    QAction* action(const char* name) const {
        return m_window->contextMenu()->findChild<QAction*>(QLatin1String(name));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<frmMain> m_window;
};

struct PointRow {
    std::string name;
    QPoint position;
};

class RightPressOnSurface : public ContextMenu, public testing::WithParamInterface<PointRow> {};

TEST_P(RightPressOnSurface, OpensTheMenuAtTheMouse) {
    pressAt(GetParam().position, Qt::RightButton);
    EXPECT_TRUE(menuOpen());
    EXPECT_EQ(m_window->contextMenu()->pos(), m_window->mapToGlobal(GetParam().position));
}

INSTANTIATE_TEST_SUITE_P(Surface, RightPressOnSurface,
                         testing::Values(PointRow{"bare_background", {10, 200}},
                                         PointRow{"white_title_band", {10, 10}},
                                         PointRow{"upper_yellow_band", {280, 52}},
                                         PointRow{"lower_yellow_band", {5, 120}},
                                         PointRow{"white_box_beside_the_key", {165, 95}},
                                         PointRow{"inside_the_outlined_frame", {95, 97}}),
                         ROW_NAMES);

class RightPressOnControl : public ContextMenu, public testing::WithParamInterface<std::string> {};

TEST_P(RightPressOnControl, OpensNoMenuOfOurs) {
    QWidget* control = m_window->findChild<QWidget*>(QString::fromStdString(GetParam()));
    ASSERT_NE(control, nullptr);
    const QPoint centre = control->geometry().center();
    ASSERT_EQ(m_window->childAt(centre), control) << "a rectangle would be hiding it";
    pressAt(centre, Qt::RightButton);
    EXPECT_FALSE(menuOpen());
}

INSTANTIATE_TEST_SUITE_P(LabelsAndControls, RightPressOnControl,
                         testing::Values("lblTitel", "lblRohpunkte", "lblistgleich", "lblProzent",
                                         "Label1", "Label2", "lblErgebnisProz", "lblErgebnisNote",
                                         "txtRohpunkte", "txtPunkte", "txtErgebnisProzent",
                                         "txtProzent", "txtErgebnisNote", "cmdCalc"),
                         [](const auto& row) { return testName(row.param); });

TEST_F(ContextMenu, RightPressOnTheKeyFieldOpensNoMenuOfOurs) {
    QWidget* key = m_window->findChild<QWidget*>(QString::fromUtf8("cboSchlüssel"));
    pressAt(key->geometry().center(), Qt::RightButton);
    EXPECT_FALSE(menuOpen());
}

class F10 : public ContextMenu, public testing::WithParamInterface<std::string> {};

TEST_P(F10, OpensTheMenuAtTheFocusedControlAndEscapeGivesTheFocusBack) {
    auto* control = m_window->findChild<QWidget*>(QString::fromStdString(GetParam()));
    ASSERT_NE(control, nullptr);
    control->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    ASSERT_TRUE(menuOpen());
    EXPECT_EQ(m_window->contextMenu()->pos(), control->mapToGlobal(QPoint(0, control->height())));
    QTest::keyClick(m_window->contextMenu(), Qt::Key_Escape);
    EXPECT_FALSE(menuOpen());
    EXPECT_EQ(QApplication::focusWidget(), control);
}

INSTANTIATE_TEST_SUITE_P(Controls, F10,
                         testing::Values("txtRohpunkte", "txtErgebnisNote", "cboSchlüssel",
                                         "cmdCalc"),
                         [](const auto& row) { return testName(row.param); });

TEST_F(ContextMenu, MenuKeyAndShiftF10OpenOursOnTheButtonAndTheEditMenuInAField) {
    auto* button = m_window->findChild<QWidget*>("cmdCalc");
    button->setFocus();
    // What the window system sends for the Menu key.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {5, 5},
                              button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &menuKey);
    EXPECT_TRUE(menuOpen());
    m_window->contextMenu()->hide();
    QTest::keyClick(button, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menuOpen());
    m_window->contextMenu()->hide();

    auto* field = m_window->findChild<QLineEdit*>("txtPunkte");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_FALSE(menuOpen());
    QWidget* editMenu = QApplication::activePopupWidget();
    ASSERT_NE(editMenu, nullptr) << "the field's own edit menu";
    editMenu->close();
}

TEST_F(ContextMenu, ArrowsAndEnterChooseAnItem) {
    m_window->findChild<QWidget*>("txtPunkte")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    ASSERT_TRUE(menuOpen());
    QString title;
    const bool opened = withModalBox(
        [&] {
            QTest::keyClick(m_window->contextMenu(), Qt::Key_Down);
            QTest::keyClick(m_window->contextMenu(), Qt::Key_Return);
        },
        [&](QDialog* box) { title = box->windowTitle(); });
    EXPECT_TRUE(opened);
    EXPECT_EQ(title, "Noten-Speicher");
}

TEST_F(ContextMenu, LeftAndMiddlePressesOpenNothing) {
    pressAt({10, 200}, Qt::LeftButton);
    EXPECT_FALSE(menuOpen());
    pressAt({280, 52}, Qt::MiddleButton);
    EXPECT_FALSE(menuOpen());
}

TEST_F(ContextMenu, ListsItsItemsInOrder) {
    QStringList items;
    for (QAction* item : m_window->contextMenu()->actions()) {
        items << (item->isSeparator() ? "—" : item->text());
    }
    EXPECT_EQ(items.join('|'), QString::fromUtf8("Einstellungen speichern|Noten-Speicher anzeigen|"
                                                 "—|Reset|—|Über...|—|Beenden"));
}

TEST_F(ContextMenu, ChosenItemRunsItsHandler) {
    m_window->setText(Field::Rohpunkte, "40");
    pressAt({10, 200}, Qt::RightButton);
    ASSERT_TRUE(menuOpen());
    action("mnuOptionSave")->trigger();
    QFile file(m_dir.filePath("Zensulino.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"40\",\"0\",\"0\",\"0\",\"GYM\"\r\n"));
}

TEST_F(ContextMenu, ResetClearsResultsPointsAndMemoryButNotColours) {
    m_window->setText(Field::Rohpunkte, "40");
    m_window->setText(Field::Punkte, "35");
    m_window->cmdCalc_Click();
    m_window->setText(Field::Prozent, "?");
    withModalBox([&] { m_window->cmdCalc_Click(); }, [](QDialog*) {});
    m_window->setText(Field::Schluessel, "IHK");

    action("mnuReset")->trigger();

    EXPECT_EQ(fieldTexts(*m_window), "40 | ? | 0 | 0 | 0 | IHK");
    auto* prozent = m_window->findChild<QLineEdit*>("txtProzent");
    EXPECT_EQ(prozent->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(m_window->focusWidget(), m_window->findChild<QWidget*>("txtPunkte"));
    EXPECT_EQ(m_window->notenSpeicher().messageText(), "Folgende Noten wurden berechnet: \r");
}

TEST(AboutText, HasSixLinesWithTheGivenYear) {
    EXPECT_EQ(aboutText(2031).split('\r'),
              QStringList({"Zensulino Version 1.4", "",
                           QString::fromUtf8("Programm: © 2031 Zensulino-Projekt"), "",
                           "Besuchen Sie mich im Internet:", "https://zensulino.example.org"}));
}

TEST_F(ContextMenu, AboutBoxShowsThisYear) {
    QMessageBox* seen = nullptr;
    QString text;
    ASSERT_TRUE(withModalBox([&] { action("mnuAbout")->trigger(); },
                             [&](QDialog* box) {
                                 seen = qobject_cast<QMessageBox*>(box);
                                 ASSERT_NE(seen, nullptr);
                                 text = seen->text();
                                 EXPECT_EQ(seen->windowTitle(), QString::fromUtf8("Über..."));
                                 EXPECT_EQ(seen->icon(), QMessageBox::Information);
                             }));
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Zensulino Version 1.4");
    EXPECT_EQ(
        lines[2],
        QString::fromUtf8("Programm: © %1 Zensulino-Projekt").arg(QDate::currentDate().year()));
    EXPECT_EQ(lines[4], "Besuchen Sie mich im Internet:");
}

TEST_F(ContextMenu, GradeMemoryBoxShowsHeadingThenEntries) {
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

TEST_F(ContextMenu, GradeMemoryBoxShowsTheNotenspiegelAndCopiesIt) {
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
    EXPECT_TRUE(copied.contains(QString::fromUtf8("Durchschnitt (Punkte)\t10,33\nunter 05 "
                                                  "Punkten\t0\t0 %\n\nNotenspiegel (IHK)")))
        << copied.toStdString();
    const QString html = QApplication::clipboard()->mimeData()->html();
    EXPECT_TRUE(html.contains("<caption>Notenspiegel (IHK)</caption>\n<tr><th>Note</th><th>1</th>"))
        << html.toStdString();
}

TEST_F(ContextMenu, KeyTableForTheTypedMaximumInWholePointsIsCopied) {
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

TEST_F(ContextMenu, EntriesTakenOutLeaveTheNotenspiegelAndComeBackWithCtrlZ) {
    auto* punkte = m_window->findChild<QLineEdit*>("txtPunkte");
    m_window->findChild<QLineEdit*>("txtRohpunkte")->setText("40");
    for (const char* achieved : {"35", "18", "30", "10"}) { // 13, 05, 11 and 01 points
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
            auto* remove = box->findChild<QPushButton*>("removeEntry");
            auto clickRow = [&](int row) {
                QTest::mouseClick(lines->viewport(), Qt::LeftButton, {},
                                  lines->visualRect(lines->model()->index(row, 0)).center());
            };
            clickRow(0);
            QTest::keyClick(lines, Qt::Key_Delete);
            EXPECT_FALSE(remove->isEnabled()) << "the heading stays";
            clickRow(3);
            QTest::keyClick(lines, Qt::Key_Delete);
            clickRow(4);
            QTest::mouseClick(remove, Qt::LeftButton);
            shown << dynamic_cast<GradeMemoryBox*>(box)->shownText() << summaryShown(box);
            QTest::mouseClick(box->findChild<QPushButton*>("copyNotenspiegel"), Qt::LeftButton);
            shown << QApplication::clipboard()->text().section('\n', 3, 3);
            QTest::keySequence(lines, QKeySequence::Undo);
            shown << dynamic_cast<GradeMemoryBox*>(box)->shownText() << summaryShown(box);
            QTest::keySequence(lines, QKeySequence::Undo); // the middle one, back in its place
            shown << dynamic_cast<GradeMemoryBox*>(box)->shownText().section('\n', 2);
        });
    EXPECT_EQ(shown, QStringList({"Folgende Noten wurden berechnet: \n\n87,5 % = 13 (GYM)\n"
                                  "75,0 % = 11 (GYM)",
                                  QString::fromUtf8("2 Ergebnisse · Durchschnitt (Punkte): 12,00 · "
                                                    "unter 05 Punkten: 0 (0 %)"),
                                  "Ergebnisse\t2",
                                  "Folgende Noten wurden berechnet: \n\n87,5 % = 13 (GYM)\n"
                                  "75,0 % = 11 (GYM)\n25,0 % = 01 (GYM)",
                                  QString::fromUtf8("3 Ergebnisse · Durchschnitt (Punkte): 8,33 · "
                                                    "unter 05 Punkten: 1 (33,3 %)"),
                                  "87,5 % = 13 (GYM)\n45,0 % = 05 (GYM)\n75,0 % = 11 (GYM)\n"
                                  "25,0 % = 01 (GYM)"}));
    EXPECT_EQ(m_window->notenSpeicher().entries(),
              "\r87,5 % = 13 (GYM)\r45,0 % = 05 (GYM)\r75,0 % = 11 (GYM)\r25,0 % = 01 (GYM)")
        << "closing the box keeps what it shows";
}

TEST(GradeMemoryBox, ShowsTenThousandEntriesWholeAndScrollsToTheLast) {
    grading::NotenSpeicher memory;
    for (int i = 0; i < 10'000; ++i) {
        memory.append(QString("%1,0").arg(i), "05", grading::GradingKey::GYM, 5);
    }
    GradeMemoryBox box(memory, "40", "GYM", nullptr);
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

TEST_F(ContextMenu, BeendenEndsTheEventLoop) {
    QTimer::singleShot(0, [&] { action("mnuEnd")->trigger(); });
    bool watchdogFired = false;
    QTimer::singleShot(5000, [&] {
        watchdogFired = true;
        QApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(watchdogFired);
}

} // namespace
