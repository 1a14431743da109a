// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frmMain.h"

#include "settings/KeyFile.h"
#include "settings/SettingsLine.h"
#include "tests/support/CsvReader.h"
#include "tests/support/FieldTexts.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModalBox.h"
#include "tests/support/OwnKeys.h"
#include "window/QtTranslations.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using grading::Field;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

class Window : public testing::Test {
protected:
    QString settingsPath() const { return m_dir.filePath("Zensulino.ini"); }

    enum class Wait { UntilActive, No };

    std::unique_ptr<frmMain> open(Wait wait = Wait::UntilActive) {
        auto window = std::make_unique<frmMain>(german, [this] { return settingsPath(); });
        window->show();
        window->activateWindow();
        if (wait == Wait::UntilActive) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        return window;
    }

    void writeSettings(const QByteArray& bytes) {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void writeKeyFile(const QByteArray& bytes) {
        QFile file(settings::keyFilePath(settingsPath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray settingsBytes() const {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <typename T = QWidget> static T* child(const frmMain& window, const char* name) {
        T* widget = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static QColor background(const frmMain& window, const char* name) {
        return child<QLineEdit>(window, name)->palette().color(QPalette::Base);
    }

    // Saves a key named `name` from the preset `downs` below the first in the editor, as a teacher
    // picks it with the arrows; the scale and the bounds' heading shown for it are checked.
    static void saveFromPreset(frmMain& window, int downs, const char* preset, const char* name,
                               const char* scale, const char* heading) {
        ASSERT_TRUE(withModalBox(
            [&] { window.contextMenu()->findChild<QAction*>("mnuNotenschluessel")->trigger(); },
            [&](QDialog* editor) {
                ASSERT_TRUE(QTest::qWaitForWindowActive(editor)); // keys go to the active window
                QTest::keyClick(editor, Qt::Key_V, Qt::AltModifier);
                QWidget* presets = editor->focusWidget();
                for (int down = 0; down < downs; ++down) {
                    QTest::keyClick(presets, Qt::Key_Down);
                }
                EXPECT_EQ(qobject_cast<QComboBox*>(presets)->currentText(),
                          QString::fromUtf8(preset));
                QTest::keyClick(presets, Qt::Key_Tab);
                QTest::keyClicks(editor->focusWidget(), name);
                QTest::keyClick(editor->focusWidget(), Qt::Key_Tab);
                EXPECT_EQ(qobject_cast<QComboBox*>(editor->focusWidget())->currentText(),
                          QString::fromUtf8(scale));
                EXPECT_EQ(editor->findChild<QTableView*>()->model()->headerData(1, Qt::Horizontal),
                          QString::fromUtf8(heading));
                for (QPushButton* button : editor->findChildren<QPushButton*>()) {
                    if (button->text() == "Gren&zen verteilen") {
                        EXPECT_EQ(button->isVisibleTo(editor), QString::fromUtf8(scale) == "Punkte")
                            << "a bend for keys of points alone";
                    }
                    if (button->text() == "&Speichern") {
                        QTest::mouseClick(button, Qt::LeftButton);
                    }
                }
            }));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QTemporaryDir m_dir;
};

struct GeometryRow {
    std::string name;
    QRect twips;
};

class ControlGeometry : public Window, public testing::WithParamInterface<GeometryRow> {};

TEST_P(ControlGeometry, MatchesTheLayoutInTwips) {
    auto window = open();
    const QRect& t = GetParam().twips;
    const QRect expected(qRound(t.x() / 15.0), qRound(t.y() / 15.0), qRound(t.width() / 15.0),
                         qRound(t.height() / 15.0));
    EXPECT_EQ(child(*window, GetParam().name.c_str())->geometry(), expected);
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlGeometry,
                         testing::Values(GeometryRow{"txtRohpunkte", {1560, 600, 735, 285}},
                                         GeometryRow{"txtPunkte", {1560, 1080, 735, 285}},
                                         GeometryRow{"txtErgebnisProzent", {1560, 1680, 735, 285}},
                                         GeometryRow{"txtProzent", {2640, 600, 615, 285}},
                                         GeometryRow{"cboSchlüssel", {3480, 1080, 1095, 315}},
                                         GeometryRow{"txtErgebnisNote", {1560, 2280, 735, 285}},
                                         GeometryRow{"cmdCalc", {2640, 2280, 1815, 375}},
                                         GeometryRow{"lblTitel", {1080, 75, 2535, 375}},
                                         GeometryRow{"lblRohpunkte", {240, 600, 855, 255}},
                                         GeometryRow{"lblistgleich", {2400, 600, 255, 255}},
                                         GeometryRow{"lblProzent", {3360, 600, 255, 255}},
                                         GeometryRow{"Label1", {240, 1005, 1095, 420}},
                                         GeometryRow{"Label2", {2640, 1000, 735, 495}},
                                         GeometryRow{"lblErgebnisProz", {240, 1605, 975, 420}},
                                         GeometryRow{"lblErgebnisNote", {240, 2280, 1095, 255}},
                                         GeometryRow{"Shape1", {0, 0, 4717, 495}},
                                         GeometryRow{"Shape2", {0, 480, 4717, 495}},
                                         GeometryRow{"Shape3", {2400, 960, 2310, 560}},
                                         GeometryRow{"Shape4", {0, 960, 2415, 1880}},
                                         GeometryRow{"Shape5", {0, 1500, 2415, 1335}},
                                         GeometryRow{"Shape6", {1500, 1040, 840, 380}}),
                         ROW_NAMES);

TEST_F(Window, HasFixedClientAreaCaptionAndStackingOrder) {
    auto window = open();
    EXPECT_EQ(window->size(), QSize(314, 208));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->windowTitle(), "Zensulino");
    EXPECT_FALSE(window->windowIcon().isNull());

    QStringList shapesAndLabels;
    for (QObject* object : window->children()) {
        const QString name = object->objectName();
        if (name.startsWith("Shape") || name.startsWith("lbl") || name.startsWith("Label")) {
            shapesAndLabels << name;
        }
    }
    EXPECT_EQ(shapesAndLabels.join(' '),
              "Shape5 Shape3 Shape2 Shape1 lblTitel lblRohpunkte lblistgleich lblProzent Label1 "
              "Label2 lblErgebnisProz lblErgebnisNote Shape4 Shape6");
}

TEST_F(Window, OpensCentredOnTheScreen) {
    auto window = open();
    EXPECT_EQ(
        window->frameGeometry().topLeft(),
        centredTopLeft(window->screen()->availableGeometry(), window->frameGeometry().size()));
}

struct CentreRow {
    std::string name;
    QRect available;
    QSize frame;
    QPoint topLeft;
};

class Centring : public testing::TestWithParam<CentreRow> {};

TEST_P(Centring, TakesTheFrameAndTheAvailableAreaIntoAccount) {
    EXPECT_EQ(centredTopLeft(GetParam().available, GetParam().frame), GetParam().topLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Centring,
    testing::Values(CentreRow{"no_frame", {0, 0, 1024, 768}, {314, 208}, {355, 280}},
                    CentreRow{"title_bar", {0, 0, 1024, 768}, {316, 236}, {354, 266}},
                    CentreRow{"even_screen_odd_rest", {0, 0, 1023, 767}, {314, 208}, {354, 279}},
                    CentreRow{
                        "panel_and_second_screen", {1920, 32, 1280, 992}, {314, 208}, {2403, 424}}),
    ROW_NAMES);

TEST(QtTranslations, GiveQtsOwnTextsInGerman) {
    EXPECT_TRUE(installQtTranslations(QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QString::fromUtf8("&Rückgängig"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_FALSE(installQtTranslations(QLocale(QLocale::English, QLocale::UnitedStates)));
}

TEST_F(Window, LabelsShowTheirCaptions) {
    auto window = open();
    auto* titel = child<QLabel>(*window, "lblTitel");
    EXPECT_EQ(titel->text(), "Der Zensurator");
    EXPECT_TRUE(titel->font().bold());
    EXPECT_EQ(titel->palette().color(QPalette::WindowText), QColor(192, 64, 0));
    EXPECT_EQ(child<QLabel>(*window, "Label2")->text(), QString::fromUtf8("Noten- schlüssel"));
    EXPECT_TRUE(child<QLabel>(*window, "Label2")->wordWrap());
    EXPECT_EQ(child<QLabel>(*window, "lblProzent")->text(), " %");
    EXPECT_EQ(child<QPushButton>(*window, "cmdCalc")->text(), "Berechnen");
    EXPECT_TRUE(child<QPushButton>(*window, "cmdCalc")->isDefault());
}

TEST_F(Window, StartsWithTheInitialTextsAndGym) {
    auto window = open();
    EXPECT_EQ(fieldTexts(*window), "0 | 100 | 0 | 0 | 0 | GYM");
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    ASSERT_EQ(key->count(), 2);
    EXPECT_EQ(key->itemText(0), "GYM");
    EXPECT_EQ(key->itemText(1), "IHK");
    EXPECT_EQ(QApplication::focusWidget(), child(*window, "txtRohpunkte"));
    EXPECT_TRUE(window->notenSpeicher().entries().isEmpty());
}

TEST_F(Window, TabFollowsTheTabIndexes) {
    auto window = open();
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        QWidget* focus = QApplication::focusWidget();
        // The key field's focus sits in its line edit.
        if (qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr) {
            focus = focus->parentWidget();
        }
        visited << focus->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(' '),
              QString::fromUtf8("txtRohpunkte txtPunkte txtErgebnisProzent "
                                "txtProzent cboSchlüssel txtErgebnisNote cmdCalc"));
}

TEST_F(Window, InputsCarryTheirCaptionsForAScreenReader) {
    auto window = open();
    const std::tuple<const char*, const char*, const char*> inputs[] = {
        {"txtRohpunkte", "Rohpunkte", "lblRohpunkte"},
        {"txtPunkte", "erreichte Rohpunktzahl", "Label1"},
        {"txtErgebnisProzent", "Ergebnis in Prozent", "lblErgebnisProz"},
        {"txtErgebnisNote", "Ergebnis Note", "lblErgebnisNote"},
        {"cboSchlüssel", "Notenschlüssel", "Label2"},
        {"txtProzent", "Prozent", "lblProzent"}};
    for (const auto& [name, accessibleName, caption] : inputs) {
        QWidget* input = child(*window, name);
        EXPECT_EQ(input->accessibleName(), QString::fromUtf8(accessibleName)) << name;
        EXPECT_EQ(child<QLabel>(*window, caption)->buddy(), input) << name << " is labelled by it";
    }
    for (const auto& [input, description] :
         {std::pair{"txtErgebnisProzent", "Ergebnis der Berechnung"},
          std::pair{"txtErgebnisNote", "Ergebnis der Berechnung"},
          std::pair{"txtRohpunkte", "Höchstpunktzahl, auch als Summe der Aufgaben wie 10+8+12+6"},
          std::pair{"txtPunkte", "erreichte Punkte, auch als Summe der Aufgaben wie 8+5+12+3"}}) {
        EXPECT_EQ(child(*window, input)->accessibleDescription(), QString::fromUtf8(description));
    }
    // The key field's text part takes the focus, so a screen reader announces it.
    EXPECT_EQ(child<QComboBox>(*window, "cboSchlüssel")->lineEdit()->accessibleName(),
              QString::fromUtf8("Notenschlüssel"));
}

TEST_F(Window, BerechnenShowsAndRecordsTheResultAndTheNextScoreIsTypedOn) {
    auto window = open();
    QTest::keyClicks(QApplication::focusWidget(), "40");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "35");
    QTest::mouseClick(child(*window, "cmdCalc"), Qt::LeftButton);
    EXPECT_EQ(window->text(Field::ErgebnisProzent), "87,5");
    EXPECT_EQ(window->text(Field::ErgebnisNote), "13");
    EXPECT_EQ(background(*window, "txtPunkte"), QColor(255, 255, 255));
    // A click leaves the score selected, as Enter does: the next one replaces it.
    QTest::keyClicks(QApplication::focusWidget(), "20");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->notenSpeicher().entries(), "\r87,5 % = 13 (GYM)\r50,0 % = 06 (GYM)");
}

TEST_F(Window, EnterGradesOneScoreAfterAnother) {
    auto window = open();
    QTest::keyClicks(QApplication::focusWidget(), "40");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (const char* score : {"35", "28", "17"}) {
        QTest::keyClicks(QApplication::focusWidget(), score);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    auto* punkte = child<QLineEdit>(*window, "txtPunkte");
    EXPECT_EQ(punkte->text(), "17");
    EXPECT_EQ(QApplication::focusWidget(), punkte);
    EXPECT_EQ(punkte->selectedText(), "17");
    // Enter on "Berechnen" itself leads back to the score as well.
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), child(*window, "cmdCalc"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), punkte);
    EXPECT_EQ(punkte->selectedText(), "17");
    EXPECT_EQ(window->notenSpeicher().entries(),
              "\r87,5 % = 13 (GYM)\r70,0 % = 10 (GYM)\r42,5 % = 04 (GYM)\r42,5 % = 04 (GYM)");
}

struct EnterRow {
    std::string name;
    const char* field;
};

class EnterCalculates : public Window, public testing::WithParamInterface<EnterRow> {};

TEST_P(EnterCalculates, FromAnyField) {
    auto window = open();
    window->setText(Field::Rohpunkte, "40");
    window->setText(Field::Punkte, "38");
    window->setText(Field::Schluessel, "IHK");
    QWidget* field = child(*window, GetParam().field);
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        field = combo->lineEdit();
    }
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(window->text(Field::ErgebnisNote), "1");
    EXPECT_EQ(window->text(Field::Schluessel), "IHK");
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    EXPECT_EQ(key->count(), 2) << "Enter adds nothing to the key list";
}

INSTANTIATE_TEST_SUITE_P(Fields, EnterCalculates,
                         testing::Values(EnterRow{"txtRohpunkte", "txtRohpunkte"},
                                         EnterRow{"txtPunkte", "txtPunkte"},
                                         EnterRow{"txtProzent", "txtProzent"},
                                         EnterRow{"cboSchluessel", "cboSchlüssel"},
                                         EnterRow{"txtErgebnisNote", "txtErgebnisNote"}),
                         ROW_NAMES);

TEST_F(Window, InvalidInputShowsTheErrorBoxMarksTheFieldAndTheCorrectionReplacesIt) {
    auto window = open();
    QTest::keyClicks(QApplication::focusWidget(), "40");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "12.5");
    QString shownText;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    const bool opened =
        withModalBox([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
                     [&](QDialog* box) {
                         auto* message = qobject_cast<QMessageBox*>(box);
                         ASSERT_NE(message, nullptr);
                         shownText = message->text();
                         shownTitle = message->windowTitle();
                         shownIcon = message->icon();
                         EXPECT_EQ(message->buttons().size(), 1);
                     });
    ASSERT_TRUE(opened);
    EXPECT_EQ(shownText, "Eingabefehler! Bitte nur Zahlen eingeben!");
    EXPECT_EQ(shownTitle, "Fehler!");
    EXPECT_EQ(shownIcon, QMessageBox::Critical);
    EXPECT_EQ(background(*window, "txtRohpunkte"), QColor(255, 255, 255));
    EXPECT_EQ(background(*window, "txtPunkte"), QColor(255, 255, 0));
    EXPECT_EQ(window->focusWidget(), child(*window, "txtPunkte"));
    EXPECT_EQ(window->text(Field::ErgebnisProzent), "0");
    QTest::keyClicks(window->focusWidget(), "12,5");
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->notenSpeicher().entries(), "\r31,3 % = 02 (GYM)");
}

// What a spreadsheet puts on the clipboard for one cell, or two side by side, comes in as the
// text before the break, so that it can be saved.
struct PasteRow {
    std::string name;
    const char* field;
    Qt::Key where; // Home or End
    const char* clipboard;
    QByteArray saved;
};

class Paste : public Window, public testing::WithParamInterface<PasteRow> {};

TEST_P(Paste, KeepsTheFirstLineOfTheClipboard) {
    auto window = open();
    QWidget* field = child(*window, GetParam().field);
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        field = combo->lineEdit();
    }
    QApplication::clipboard()->setText(QString::fromUtf8(GetParam().clipboard));
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, GetParam().where);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(withModalBox([&] { window->mnuOptionSave_Click(); }, [](QDialog*) {}));
    EXPECT_EQ(settingsBytes(), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, Paste,
    testing::Values(PasteRow{"cell_with_line_end", "txtRohpunkte", Qt::Key_End, "12,5\r\n",
                             "\"012,5\",\"0\",\"0\",\"0\",\"GYM\"\r\n"},
                    PasteRow{"two_cells_ahead_of_the_text", "txtPunkte", Qt::Key_Home,
                             "5\t13\r\n14\t15", "\"0\",\"50\",\"0\",\"0\",\"GYM\"\r\n"},
                    PasteRow{"key", "cboSchlüssel", Qt::Key_End, "\nIHK",
                             "\"0\",\"0\",\"0\",\"0\",\"GYM\"\r\n"}),
    ROW_NAMES);

TEST_F(Window, LoadsTheSettingsFileAtStart) {
    writeSettings("\"40\",\"35\",\"87,5\",\"13\",\"ihk\"\r\n");
    auto window = open();
    EXPECT_EQ(fieldTexts(*window), "40 | 100 | 35 | 87,5 | 13 | ihk");
    EXPECT_EQ(child<QComboBox>(*window, "cboSchlüssel")->count(), 2);
}

TEST_F(Window, SaveThenRestartRestoresFourTextsAndTheKey) {
    {
        auto window = open();
        window->setText(Field::Rohpunkte, "40");
        window->setText(Field::Prozent, "x");
        window->setText(Field::Punkte, "35");
        window->setText(Field::Schluessel, "IHK");
        withModalBox([&] { window->cmdCalc_Click(); }, [](QDialog*) {}); // txtProzent turns yellow
        window->setText(Field::Prozent, "100");
        window->cmdCalc_Click();
        window->mnuOptionSave_Click();
    }
    EXPECT_EQ(settingsBytes(), QByteArray("\"40\",\"35\",\"87,5\",\"2\",\"IHK\"\r\n"));

    auto restarted = open();
    EXPECT_EQ(fieldTexts(*restarted), "40 | 100 | 35 | 87,5 | 2 | IHK");
    EXPECT_NE(background(*restarted, "txtProzent"), QColor(255, 255, 0));
    EXPECT_TRUE(restarted->notenSpeicher().entries().isEmpty());
}

// A class marked task by task: the sums typed with Enter, a slip taken out of the list and put
// back, the results saved as a CSV file that a spreadsheet reads, the sums saved and graded again
// after a restart.
TEST_F(Window, TaskSumsTypedWithEnterAreListedSavedAsCsvAndKept) {
    auto window = open();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "10+8+12+6");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (const char* points : {"8+5+12+3", "10 + 8 + 12 + 6", "9+8+1,5+0"}) {
        QTest::keyClicks(QApplication::focusWidget(), points);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(child<QLineEdit>(*window, "txtPunkte")->selectedText(), "9+8+1,5+0");
    auto* maximum = child<QLineEdit>(*window, "txtRohpunkte");
    EXPECT_EQ(maximum->cursorPosition(), 0) << "the sum's start, once the focus left";
    EXPECT_EQ(maximum->toolTip().section('\n', 0, 1),
              QString::fromUtf8("10+8+12+6\nHöchstpunktzahl der Arbeit, etwa 40, oder die "
                                "Aufgaben als Summe wie 10+8+12+6"))
        << "wider than the field, whole above what the field takes";
    const QString fortyTasks = QStringList(40, "10,5").join('+');
    maximum->setText(fortyTasks);
    const QStringList sumLines = maximum->toolTip().split('\n').mid(0, 4);
    EXPECT_EQ(sumLines.join(""), fortyTasks);
    EXPECT_EQ(sumLines.front(), QStringList(12, "10,5").join('+') + '+')
        << "in lines a screen holds, broken after a +";
    maximum->setText("10+8+12+6");
    const QString listed = "\r77,8 % = 11 (GYM), Aufgaben 8+5+12+3\r100,0 % = 15 (GYM), Aufgaben "
                           "10+8+12+6\r51,4 % = 06 (GYM), Aufgaben 9+8+1,5+0";
    EXPECT_EQ(window->notenSpeicher().entries(), listed);

    const QString csv = QFileInfo(settingsPath()).dir().filePath("Klasse 8a.csv");
    withModalBox([&] { window->mnuCache_Click(); },
                 [&](QDialog* box) {
                     QApplication::setActiveWindow(box);
                     auto* lines = box->findChild<QListView*>();
                     lines->setFocus();
                     lines->setCurrentIndex(lines->model()->index(2, 0));
                     QTest::keyClick(lines, Qt::Key_Delete);
                     QTest::keyClick(lines, Qt::Key_Z, Qt::ControlModifier);
                     // Alt+C clicks the button as a mouse would, a moment later.
                     QTimer chooser;
                     QObject::connect(&chooser, &QTimer::timeout, [&] {
                         if (auto* files =
                                 qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                             chooser.stop();
                             files->selectFile(csv);
                             QMetaObject::invokeMethod(files, "accept");
                         }
                     });
                     chooser.start(5);
                     QTest::keyClick(lines, Qt::Key_C, Qt::AltModifier);
                     EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(csv); }));
                 });
    EXPECT_EQ(window->notenSpeicher().entries(), listed);
    const QVector<QStringList> rows = readCsv(csv);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[2], QStringList({"2", "36", "36", "100,0", "15", "GYM", "10", "8", "12", "6"}));
    EXPECT_EQ(rows[3], QStringList({"3", "36", "18,5", "51,4", "06", "GYM", "9", "8", "1,5", "0"}));

    window->mnuOptionSave_Click();
    auto restarted = open();
    EXPECT_EQ(fieldTexts(*restarted), "10+8+12+6 | 100 | 9+8+1,5+0 | 51,4 | 06 | GYM");
    ASSERT_TRUE(restarted->cmdCalc_Click());
    EXPECT_EQ(restarted->notenSpeicher().entries(), "\r51,4 % = 06 (GYM), Aufgaben 9+8+1,5+0");
}

// Typed or loaded, the key text is used as it stands: "ihk" grades under GYM and is saved so.
struct KeyTextRow {
    std::string name;
    QByteArray settings; // empty: none, the user types the key text
    const char* achieved;
    const char* grade;
};

class KeyText : public Window, public testing::WithParamInterface<KeyTextRow> {};

void typeInto(QWidget* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

TEST_P(KeyText, StaysAsTypedThroughFocusEnterAndBerechnen) {
    if (!GetParam().settings.isEmpty()) {
        writeSettings(GetParam().settings);
    }
    auto window = open();
    QLineEdit* key = child<QComboBox>(*window, "cboSchlüssel")->lineEdit();
    if (GetParam().settings.isEmpty()) {
        typeInto(child(*window, "txtRohpunkte"), "40");
        typeInto(key, "ihk");
        QTest::keyClick(key, Qt::Key_Tab);
    } else {
        QTest::mouseClick(key, Qt::LeftButton);
    }
    typeInto(child(*window, "txtPunkte"), GetParam().achieved);
    QTest::mouseClick(key, Qt::LeftButton);
    QTest::keyClick(key, Qt::Key_Return);
    EXPECT_EQ(window->text(Field::Schluessel), "ihk");
    EXPECT_EQ(window->text(Field::ErgebnisNote), GetParam().grade);
    QTest::mouseClick(child(*window, "cmdCalc"), Qt::LeftButton);
    window->mnuOptionSave_Click();
    EXPECT_TRUE(settingsBytes().endsWith(",\"ihk\"\r\n")) << settingsBytes().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyText,
    testing::Values(KeyTextRow{"typed", "", "30", "11"},
                    KeyTextRow{"loaded", "\"40\",\"18\",\"0\",\"0\",\"ihk\"\r\n", "18", "05"}),
    ROW_NAMES);

TEST_F(Window, ResultsOutsideTheCodePageAreSavedAndComeBack) {
    {
        auto window = open();
        typeInto(child(*window, "txtPunkte"), "5");
        QTest::mouseClick(child(*window, "cmdCalc"), Qt::LeftButton);
        ASSERT_EQ(window->text(Field::ErgebnisProzent), QString::fromUtf8("∞"));
        EXPECT_FALSE(withModalBox([&] { window->mnuOptionSave_Click(); }, [](QDialog*) {}));
    }
    EXPECT_EQ(settingsBytes(),
              QByteArray("\xEF\xBB\xBF\"0\",\"5\",\"\xE2\x88\x9E\",\"15\",\"GYM\"\r\n"));
    auto restarted = open();
    EXPECT_EQ(restarted->text(Field::ErgebnisProzent), QString::fromUtf8("∞"));
    EXPECT_EQ(restarted->text(Field::ErgebnisNote), "15");
}

TEST_F(Window, DamagedSettingsFileIsReportedOnceTheWindowShows) {
    const QByteArray damaged("\"40\",\"35\"\r\n");
    writeSettings(damaged);
    QString shown;
    std::unique_ptr<frmMain> window;
    ASSERT_TRUE(
        withModalBox([&] { window = open(Wait::No); },
                     [&](QDialog* box) { shown = qobject_cast<QMessageBox*>(box)->text(); }));
    EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(settingsPath()))) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Sie enthält nur 2 der 5 Felder"));
    EXPECT_EQ(window->text(Field::Rohpunkte), "0");
    EXPECT_EQ(settingsBytes(), damaged);
}

TEST_F(Window, FailedSaveIsReported) {
    auto window = open();
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Zensulino.ini"));
    QString shown;
    ASSERT_TRUE(
        withModalBox([&] { window->mnuOptionSave_Click(); },
                     [&](QDialog* box) { shown = qobject_cast<QMessageBox*>(box)->text(); }));
    EXPECT_TRUE(shown.startsWith("Die Einstellungen wurden nicht gespeichert."))
        << shown.toStdString();
    EXPECT_TRUE(QFileInfo(settingsPath()).isDir());
}

TEST_F(Window, SuccessfulSaveIsSilent) {
    auto window = open();
    const bool boxOpened = withModalBox([&] { window->mnuOptionSave_Click(); }, [](QDialog*) {});
    EXPECT_FALSE(boxOpened);
    EXPECT_EQ(settingsBytes(), QByteArray("\"0\",\"0\",\"0\",\"0\",\"GYM\"\r\n"));
}

// A key of the teacher's own, from the key file beside the settings file, is picked in the
// selector and grades, records and counts under its own name.
// A key and a grade named with commas, as teachers write them: read from the key file, chosen,
// graded, shown and copied in the box, saved in the settings file and chosen from it at start.
TEST_F(Window, OwnKeyFromTheKeyFileGradesUnderItsName) {
    grading::GradingKey tendency = tendencyKey();
    tendency.name = QStringLiteral("Tendenz, 8b");
    tendency.grades[5].text = QStringLiteral("2-, knapp");
    QFile keyFile(settings::keyFilePath(settingsPath()));
    ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
    keyFile.write(settings::formatKeyFile({tendency}));
    keyFile.close();
    auto window = open();
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    ASSERT_EQ(key->count(), 3);
    EXPECT_EQ(key->itemText(2), "Tendenz, 8b");

    QTest::keyClicks(QApplication::focusWidget(), "40");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "33");
    key->lineEdit()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    QTest::keyClick(key->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(fieldTexts(*window), "040 | 100 | 33 | 82,5 | 2-, knapp | Tendenz, 8b");
    EXPECT_EQ(window->notenSpeicher().entries(), "\r82,5 % = 2-, knapp (Tendenz, 8b)");

    QStringList shown;
    withModalBox([&] { window->contextMenu()->findChild<QAction*>("mnuCache")->trigger(); },
                 [&](QDialog* box) {
                     for (QLabel* label : box->findChildren<QLabel*>()) {
                         if (label->buddy() != nullptr) {
                             shown << label->text();
                         }
                     }
                     QTest::mouseClick(box->findChild<QPushButton*>("copyNotenspiegel"),
                                       Qt::LeftButton);
                 });
    EXPECT_EQ(shown,
              QStringList({QString::fromUtf8("Notenspiegel (Tendenz, 8b) – Note"),
                           QString::fromUtf8("Notenschlüssel für 40 Rohpunkte (Tendenz, 8b)"),
                           "&Titel", "Dat&um der Arbeit"}));
    EXPECT_TRUE(QApplication::clipboard()->text().contains("\t2-, knapp\t"));

    window->mnuOptionSave_Click();
    window = open();
    ASSERT_TRUE(window->cmdCalc_Click());
    EXPECT_EQ(fieldTexts(*window), "040 | 100 | 33 | 82,5 | 2-, knapp | Tendenz, 8b");
}

// The editor as a teacher meets it: from the menu, a preset and a name, "Speichern"; then the key
// in the selector grades, and the key file holds it.
TEST_F(Window, KeySavedFromAPresetInTheEditorGradesInTheWindow) {
    auto window = open();
    QTest::keyClicks(QApplication::focusWidget(), "100");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "33");
    bool opened = withModalBox(
        [&] { window->contextMenu()->findChild<QAction*>("mnuNotenschluessel")->trigger(); },
        [&](QDialog* editor) {
            EXPECT_EQ(editor->windowTitle(), QString::fromUtf8("Notenschlüssel bearbeiten"));
            ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
            QTest::keyClick(editor, Qt::Key_V, Qt::AltModifier);
            QWidget* preset = editor->focusWidget();
            ASSERT_TRUE(qobject_cast<QComboBox*>(preset));
            QTest::keyClick(preset, Qt::Key_Down);
            QTest::keyClick(preset, Qt::Key_Up);
            QTest::keyClick(preset, Qt::Key_Up);
            EXPECT_EQ(qobject_cast<QComboBox*>(preset)->currentText(),
                      QString::fromUtf8("KMK Oberstufe (0–15)"))
                << "the empty entry above the presets is for a saved key, never picked";
            QTest::keyClick(preset, Qt::Key_Tab);
            QTest::keyClicks(editor->focusWidget(), "Oberstufe BW");
            for (QPushButton* button : editor->findChildren<QPushButton*>()) {
                if (button->text() == "&Speichern") {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
            EXPECT_EQ(qobject_cast<QComboBox*>(preset)->currentText(), "")
                << "a saved key comes from no preset";
        });
    ASSERT_TRUE(opened);
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    key->lineEdit()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    QTest::keyClick(key->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(fieldTexts(*window), "0100 | 100 | 33 | 33,0 | 03 | Oberstufe BW");

    QFile keyFile(settings::keyFilePath(settingsPath()));
    ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly));
    const QByteArray saved = keyFile.readAll();
    for (const char* line :
         {"\r\n[Oberstufe BW]\r\n15;95;15\r\n", "\n03;33;3\r\n", "\n00;;0\r\nschwach ab=04\r\n"}) {
        EXPECT_TRUE(saved.contains(line)) << saved.toStdString();
    }
}

// A dictation key made from its preset: under it the achieved points are errors, whole or half,
// the maximum is not asked for, no percentage is shown, not even after Reset; a points key chosen
// again brings back every caption and name; a restart with the error key saved shows its captions.
TEST_F(Window, ErrorKeyFromAPresetAsksForErrorsAndGymBringsTheCaptionsBack) {
    writeKeyFile("[Bayern]\r\n1;50;1\r\n2;;2\r\n");
    auto window = open();
    auto captions = [&] {
        QStringList shown;
        for (const char* label : {"lblRohpunkte", "Label1", "lblErgebnisProz", "lblProzent"}) {
            shown << child<QLabel>(*window, label)->text();
        }
        for (const char* input :
             {"txtRohpunkte", "txtPunkte", "txtErgebnisProzent", "txtProzent"}) {
            shown << child(*window, input)->accessibleName();
        }
        for (const char* points : {"txtRohpunkte", "txtPunkte"}) {
            shown << child(*window, points)->accessibleDescription();
        }
        for (const char* input : {"txtRohpunkte", "txtPunkte", "txtProzent"}) {
            shown << child(*window, input)->toolTip().section('\n', -2, -2);
        }
        return shown.join(" | ");
    };
    const QString ownCaptions = captions();
    saveFromPreset(*window, 4, "Diktat, geübt (Fehlerzahl)", "Diktat 5a", "Fehler", "bis Fehler");
    window->setText(Field::Rohpunkte, "kein Maximum");
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    key->lineEdit()->setFocus(Qt::TabFocusReason);
    for (int down = 0; down < 3; ++down) {
        QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    }
    EXPECT_EQ(captions(),
              QString::fromUtf8("Rohpunkte | Fehler | Ergebnis in Prozent |  % | Rohpunkte | "
                                "Fehler | Ergebnis in Prozent | Prozent |  |  | Wird bei diesem "
                                "Schlüssel nicht gebraucht. | Zahl der Fehler, ganz oder halb, "
                                "etwa 3 oder 2,5 | Wird bei diesem Schlüssel nicht gebraucht."))
        << "no word of sums where errors are counted";
    EXPECT_EQ(window->text(Field::ErgebnisProzent), "") << "no percentage under an error key";
    auto* errors = child<QLineEdit>(*window, "txtPunkte");
    errors->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(errors, "2,5");
    QTest::keyClick(errors, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(fieldTexts(*window), "kein Maximum | 100 | 7 |  | 4 | Diktat 5a");
    EXPECT_EQ(window->notenSpeicher().entries(),
              "\r2,5 Fehler = 3 (Diktat 5a)\r7 Fehler = 4 (Diktat 5a)");
    EXPECT_NE(background(*window, "txtRohpunkte"), QColor(255, 255, 0));

    window->mnuOptionSave_Click();
    const QString underErrors = captions();
    window = open();
    EXPECT_EQ(captions(), underErrors) << "the saved key's captions at start";
    window->mnuReset_Click();
    EXPECT_EQ(fieldTexts(*window), "kein Maximum | 100 | 0 |  | 0 | Diktat 5a");

    key = child<QComboBox>(*window, "cboSchlüssel");
    key->lineEdit()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(key->currentText(), "Bayern");
    EXPECT_EQ(captions(), ownCaptions);
    // The list made anew, as after the editor, passes through the error key after "Bayern" but
    // leaves the result as it was.
    window->setText(Field::Rohpunkte, "40");
    ASSERT_TRUE(window->cmdCalc_Click());
    ASSERT_TRUE(withModalBox(
        [&] { window->contextMenu()->findChild<QAction*>("mnuNotenschluessel")->trigger(); },
        [](QDialog* editor) { editor->reject(); }));
    EXPECT_EQ(fieldTexts(*window), "40 | 100 | 0 | 0,0 | 2 | Bayern");
}

// A key by errors per 100 words from its preset: the words stand where the maximum stood, the
// result field gives the quotient, the memory line both counts; a restart shows them as saved.
TEST_F(Window, QuotientKeyFromItsPresetTakesWordsAndErrorsAndShowsTheQuotient) {
    auto window = open();
    saveFromPreset(*window, 6, "Fehlerquotient (1–6)", "Englisch 9b", "Fehler je 100 Wörter",
                   "bis Fehler je 100");
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    key->lineEdit()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    for (const auto& [label, input, caption] :
         {std::tuple{"lblRohpunkte", "txtRohpunkte", "Wörter"},
          std::tuple{"Label1", "txtPunkte", "Fehler"},
          std::tuple{"lblErgebnisProz", "txtErgebnisProzent", "Fehler je 100 Wörter"}}) {
        EXPECT_EQ(child<QLabel>(*window, label)->text(), QString::fromUtf8(caption));
        EXPECT_EQ(child(*window, input)->accessibleName(), QString::fromUtf8(caption));
    }
    auto* words = child<QLineEdit>(*window, "txtRohpunkte");
    words->setFocus(Qt::TabFocusReason);
    words->selectAll();
    QTest::keyClicks(words, "120");
    QTest::keyClick(words, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "2,5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(fieldTexts(*window), "120 | 100 | 2,5 | 2,09 | 3 | Englisch 9b");
    EXPECT_EQ(window->notenSpeicher().entries(),
              QString::fromUtf8("\r2,5 Fehler / 120 Wörter = 2,09 = 3 (Englisch 9b)"));
    // The quotient comes back as saved, as a percentage does.
    window->mnuOptionSave_Click();
    window = open();
    EXPECT_EQ(fieldTexts(*window), "120 | 100 | 2,5 | 2,09 | 3 | Englisch 9b");
}

// A key text saved for a key that the key file no longer holds is said at start, once the window
// shows; GYM, IHK in any case and an empty text are no key of the key file and say nothing.
struct StartKeyRow {
    std::string name;
    const char* keyText;
    QByteArray keyFile; // none where empty
    QString said;       // the box's text; none where empty
    QMessageBox::Icon icon = QMessageBox::Warning;
};

class StartKey : public Window, public testing::WithParamInterface<StartKeyRow> {};

TEST_P(StartKey, MissingKeyIsSaidWithTheKeyFilesMessageFirst) {
    writeSettings(QByteArray("\"40\",\"30\",\"75,0\",\"11\",\"") + GetParam().keyText + "\"\r\n");
    if (!GetParam().keyFile.isEmpty()) {
        writeKeyFile(GetParam().keyFile);
    }
    QString said;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::unique_ptr<frmMain> window;
    withModalBox([&] { window = open(Wait::No); },
                 [&](QDialog* box) {
                     said = qobject_cast<QMessageBox*>(box)->text().replace(
                         QDir::toNativeSeparators(settings::keyFilePath(settingsPath())), "…");
                     icon = qobject_cast<QMessageBox*>(box)->icon();
                     EXPECT_EQ(qobject_cast<QMessageBox*>(box)->textFormat(), Qt::PlainText);
                 });
    EXPECT_EQ(said, GetParam().said);
    if (!said.isEmpty()) {
        EXPECT_EQ(icon, GetParam().icon);
    }
    EXPECT_EQ(window->text(Field::Schluessel), QString::fromUtf8(GetParam().keyText));
}

const QString betaMissing = QString::fromUtf8(
    "Der gespeicherte Notenschlüssel „Beta“ ist nicht vorhanden. Gerechnet wird nach GYM, bis ein "
    "anderer Schlüssel gewählt ist.");

INSTANTIATE_TEST_SUITE_P(
    SavedKeys, StartKey,
    testing::Values(StartKeyRow{"gone", "Beta", {}, betaMissing},
                    StartKeyRow{"renamed", "Beta", "[Beta neu]\n1;50;1\n2;;2\n", betaMissing},
                    StartKeyRow{"there", "Beta", "[Beta]\n1;50;1\n2;;2\n", {}},
                    StartKeyRow{"lower_case_ihk_as_ever", "ihk", {}, {}},
                    StartKeyRow{"gym", "GYM", {}, {}}, StartKeyRow{"lower_case_gym", "gym", {}, {}},
                    StartKeyRow{"shown_as_typed",
                                "<b>Beta</b>",
                                {},
                                QString(betaMissing).replace("Beta", "<b>Beta</b>")},
                    StartKeyRow{"empty", "", {}, {}},
                    StartKeyRow{
                        "refused_with_the_damaged_file", "Beta", "[Beta]\n1;50;1\n2;60;2\n3;;3\n",
                        QString::fromUtf8("Die Notenschlüssel-Datei „…“ konnte nicht ganz geladen "
                                          "werden:\n\n„Beta“, Zeile 3: Die Grenze muss unter der "
                                          "Grenze der besseren Note liegen: Die Grenzen fallen von "
                                          "der besten Note zur schlechtesten.\n\nGYM und IHK "
                                          "stehen zur Verfügung; die Datei bleibt "
                                          "unverändert.\n\n") +
                            betaMissing,
                        QMessageBox::Critical}),
    ROW_NAMES);

void clickButton(QWidget* dialog, const char* text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QString::fromUtf8(text)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text;
}

void chooseFirstKey(QWidget* editor) {
    auto* list = editor->findChild<QListWidget*>();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    ASSERT_EQ(editor->findChild<QLineEdit*>()->text(), list->item(0)->text());
}

// Results under one key stay in one table however often the editor opens, closes or saves the
// key unchanged.
TEST_F(Window, EditorOpenedAndClosedKeepsOneTableAKey) {
    writeKeyFile("[Beta]\n1;50;1\n2;;2\nschwach ab=2\n");
    auto window = open();
    auto grade = [&] {
        for (const char* key : {"GYM", "Beta"}) {
            window->setText(Field::Rohpunkte, "10");
            window->setText(Field::Punkte, "6");
            window->setText(Field::Schluessel, key);
            ASSERT_TRUE(window->cmdCalc_Click());
        }
    };
    grade();
    withModalBox([&] { window->mnuNotenschluessel_Click(); },
                 [&](QDialog* editor) {
                     ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
                     QTest::keyClick(editor, Qt::Key_Escape);
                 });
    grade();
    withModalBox([&] { window->mnuNotenschluessel_Click(); },
                 [&](QDialog* editor) {
                     chooseFirstKey(editor);
                     clickButton(editor, "&Speichern");
                 });
    grade();
    QStringList tables;
    for (const auto& summary : window->notenSpeicher().notenspiegel().summaries()) {
        tables << QStringLiteral("%1: %2").arg(summary.caption).arg(summary.results);
    }
    EXPECT_EQ(tables, QStringList({"Notenspiegel (GYM): 3", "Notenspiegel (Beta): 3"}));
}

// The editor opened over the key in use, the bend chosen and spread with the keyboard alone,
// saved: the window grades at each new bound, and the results before and after count in one
// table, as after any moved bound.
TEST_F(Window, BoundsSpreadFromABendGradeAtEachNewBound) {
    writeKeyFile("[Beta]\n1;90;1\n2;75;2\n3;60;3\n4;50;4\n5;30;5\n6;;6\nschwach ab=5\n");
    auto window = open();
    auto grade = [&](const char* points) {
        window->setText(Field::Rohpunkte, "100");
        window->setText(Field::Punkte, points);
        window->setText(Field::Schluessel, "Beta");
        EXPECT_TRUE(window->cmdCalc_Click());
        return window->text(Field::ErgebnisNote);
    };
    grade("50");
    withModalBox([&] { window->mnuNotenschluessel_Click(); },
                 [&](QDialog* editor) {
                     // It opens on the key in use, from no preset.
                     EXPECT_EQ(editor->findChild<QLineEdit*>()->text(), "Beta");
                     EXPECT_EQ(editor->findChild<QListWidget*>()->currentItem()->text(), "Beta");
                     EXPECT_EQ(editor->findChild<QComboBox*>()->currentText(), "");
                     EXPECT_TRUE(qobject_cast<QListWidget*>(editor->focusWidget()));
                     QApplication::setActiveWindow(editor);
                     QTest::keyClick(editor->focusWidget(), Qt::Key_B, Qt::AltModifier);
                     auto* bend = qobject_cast<QComboBox*>(editor->focusWidget());
                     ASSERT_TRUE(bend);
                     EXPECT_EQ(bend->currentText(), "4") << "the grade above the first weak one";
                     // "3" picked stays picked while a row comes and goes above it.
                     QTest::keyClick(bend, Qt::Key_Up);
                     auto* table = editor->findChild<QTableView*>();
                     table->setCurrentIndex(table->model()->index(0, 0));
                     clickButton(editor, "Note ein&fügen"); // a row after "1"
                     ASSERT_EQ(table->model()->index(1, 0).data().toString(), "");
                     EXPECT_EQ(bend->currentText(), "3");
                     clickButton(editor, "Note en&tfernen");
                     EXPECT_EQ(bend->currentText(), "3");
                     QTest::keyClick(editor->focusWidget(), Qt::Key_B, Qt::AltModifier);
                     QTest::keyClick(bend, Qt::Key_Down);
                     QTest::keyClick(bend, Qt::Key_Tab);
                     auto* at = qobject_cast<QLineEdit*>(editor->focusWidget());
                     ASSERT_TRUE(at);
                     EXPECT_EQ(at->text(), "50") << "the bound the grade has";
                     at->selectAll();
                     QTest::keyClicks(at, "45 %");
                     QTest::keyClick(at, Qt::Key_Return); // spreads, and does not save unspread
                     QTest::keyClick(at, Qt::Key_Tab);
                     EXPECT_EQ(qobject_cast<QPushButton*>(editor->focusWidget())->text(),
                               "Gren&zen verteilen");
                     QStringList bounds;
                     auto* grades = editor->findChild<QTableView*>()->model();
                     for (int row = 0; row < grades->rowCount(); ++row) {
                         bounds << grades->index(row, 1).data().toString();
                     }
                     EXPECT_EQ(bounds.join(" / "), "86,25 / 72,5 / 58,75 / 45 / 22,5 / ");
                     clickButton(editor, "&Speichern");
                 });
    QStringList graded;
    for (const char* points :
         {"86,25", "86", "72,5", "72", "58,75", "58,5", "45", "44,5", "22,5", "22"}) {
        graded << grade(points);
    }
    EXPECT_EQ(graded.join(' '), "1 2 2 3 3 4 4 5 5 6");
    const auto summaries = window->notenSpeicher().notenspiegel().summaries();
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries.front().results, 11);
}

// A long grade text shows its start in a smaller font, never below 7 pt, and whole in its tooltip;
// a long key name shows its start too, and the key list is as wide as its longest name.
TEST_F(Window, LongGradeTextsAndKeyNamesShowTheirStart) {
    writeKeyFile(QString::fromUtf8("[A]\n1;50;1\n2;;2\n[Abschlussprüfung 7ü]\nsehr gut;90;1\n"
                                   "mangelhaft;30;5\nungenügend;;6\n")
                     .toUtf8());
    writeSettings("\"100\",\"20\",\"20,0\",\"ungen\xFC"
                  "gend\",\"Abschlusspr\xFC"
                  "fung 7\xFC\"\r\n");
    auto window = open();
    auto* key = child<QComboBox>(*window, "cboSchlüssel");
    EXPECT_EQ(key->lineEdit()->cursorPosition(), 0) << "at start";
    EXPECT_EQ(child<QLineEdit>(*window, "txtErgebnisNote")->cursorPosition(), 0) << "at start";
    key->lineEdit()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key->lineEdit(), Qt::Key_Up);
    QTest::keyClick(key->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(key->lineEdit()->cursorPosition(), 0) << key->currentText().toStdString();
    key->showPopup();
    EXPECT_GE(key->view()->viewport()->width(), key->view()->sizeHintForColumn(0));
    key->hidePopup();
    auto* grade = child<QLineEdit>(*window, "txtErgebnisNote");
    const qreal ownSize = window->font().pointSizeF();
    for (const auto& [achieved, text] :
         {std::pair{"20", "ungenügend"}, std::pair{"20", "ungenügend"},
          std::pair{"50", "mangelhaft"}, std::pair{"100", "sehr gut"}}) {
        window->setText(Field::Rohpunkte, "100");
        window->setText(Field::Punkte, achieved);
        ASSERT_TRUE(window->cmdCalc_Click());
        EXPECT_EQ(grade->text(), QString::fromUtf8(text));
        EXPECT_EQ(grade->cursorPosition(), 0);
        EXPECT_GE(grade->font().pointSizeF(), 7.0);
        const bool whole = grade->toolTip().isEmpty();
        EXPECT_EQ(whole, grade->font().pointSizeF() == ownSize) << text;
        EXPECT_TRUE(whole || grade->toolTip() == grade->text());
        const int room =
            grade->width() - 2 * grade->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
        EXPECT_TRUE(grade->fontMetrics().horizontalAdvance(grade->text()) <= room ||
                    grade->font().pointSizeF() == 7.0)
            << text;
        EXPECT_EQ(grade->accessibleName(), "Ergebnis Note");
    }
}

// Escape does what "Schließen" does, from whichever control has the focus, also in the editor
// opened from the grade-memory box; with a change unsaved it asks first.
TEST_F(Window, EscapeClosesTheKeyEditorFromEveryControl) {
    writeKeyFile("[Beta]\n1;50;1\n2;;2\n");
    auto window = open();
    window->setText(Field::Rohpunkte, "40");
    QStringList stayedOpen;
    auto escape = [&](QDialog* editor, int control) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == editor; }));
        QList<QWidget*> focusable;
        for (QWidget* child : editor->findChildren<QWidget*>()) {
            if (child->isVisibleTo(editor) && child->isEnabled() &&
                (child->focusPolicy() & Qt::TabFocus) != 0) {
                focusable << child;
            }
        }
        QWidget* focus = focusable.value(control);
        if (focus == nullptr) {
            return false;
        }
        focus->setFocus(Qt::TabFocusReason);
        // As Windows sends it: with the key's text, which a combo box takes for a search.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        if (editor->isVisible()) {
            stayedOpen << focus->metaObject()->className();
        }
        return true;
    };
    for (int control = 0;; ++control) {
        bool more = false;
        withModalBox([&] { window->mnuNotenschluessel_Click(); },
                     [&](QDialog* editor) { more = escape(editor, control); });
        if (!more) {
            break;
        }
    }
    withModalBox([&] { window->mnuCache_Click(); },
                 [&](QDialog* box) {
                     withModalBox([&] { box->findChild<QPushButton*>("editKeys")->click(); },
                                  [&](QDialog* editor) { escape(editor, 0); });
                     EXPECT_TRUE(box->isVisible());
                 });
    // Every question about the change unsaved is answered "Verwerfen".
    QString asked;
    QTimer discard;
    QObject::connect(&discard, &QTimer::timeout, [&] {
        if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = question->text();
            question->button(QMessageBox::Discard)->click();
        }
    });
    discard.start(10);
    bool closed = false;
    withModalBox([&] { window->mnuNotenschluessel_Click(); },
                 [&](QDialog* editor) {
                     chooseFirstKey(editor);
                     QTest::keyClicks(editor->findChild<QLineEdit*>(), "x");
                     QTest::keyClick(editor, Qt::Key_Escape);
                     closed = !editor->isVisible();
                 });
    EXPECT_TRUE(closed);
    EXPECT_EQ(stayedOpen, QStringList());
    EXPECT_TRUE(asked.contains("nicht gespeichert")) << asked.toStdString();
}

// Renamed in the editor, the key the window grades by takes its new name along.
TEST_F(Window, RenamedKeyInUseGradesUnderItsNewName) {
    writeKeyFile("[Beta]\n1;50;1\n2;;2\n");
    writeSettings("\"10\",\"6\",\"0\",\"0\",\"Beta\"\r\n");
    auto window = open();
    QString status;
    withModalBox([&] { window->mnuNotenschluessel_Click(); },
                 [&](QDialog* editor) {
                     chooseFirstKey(editor);
                     auto* name = editor->findChild<QLineEdit*>();
                     QTest::mouseClick(name, Qt::LeftButton);
                     QTest::keyClick(name, Qt::Key_End);
                     QTest::keyClicks(name, " neu");
                     clickButton(editor, "&Speichern");
                     for (QLabel* label : editor->findChildren<QLabel*>()) {
                         if (label->text().contains("gespeichert")) {
                             status = label->text();
                         }
                     }
                 });
    EXPECT_EQ(status, QString::fromUtf8("„Beta neu“ ist gespeichert. Im Hauptfenster ist er unter "
                                        "diesem Namen gewählt."));
    ASSERT_TRUE(window->cmdCalc_Click());
    EXPECT_EQ(fieldTexts(*window), "10 | 100 | 6 | 60,0 | 1 | Beta neu");
    EXPECT_EQ(settingsBytes(), "\"10\",\"6\",\"0\",\"0\",\"Beta\"\r\n")
        << "the settings file changes on Einstellungen speichern alone";
}

// A key changed on disk since the editor showed it is overwritten only where the teacher says so.
TEST_F(Window, KeyChangedOnDiskIsOverwrittenOnlyWhenAsked) {
    for (const char* answer : {"Abbrechen", "Überschreiben"}) {
        writeKeyFile("[Beta]\r\n1;50;1\r\n2;;2\r\n");
        auto window = open();
        const QByteArray elsewhere = "[Beta]\r\n1;60;1\r\n2;;2\r\n# von nebenan\r\n";
        QString asked;
        withModalBox([&] { window->mnuNotenschluessel_Click(); },
                     [&](QDialog* editor) {
                         chooseFirstKey(editor);
                         writeKeyFile(elsewhere);
                         withModalBox([&] { clickButton(editor, "&Speichern"); },
                                      [&](QDialog* box) {
                                          asked = qobject_cast<QMessageBox*>(box)->text();
                                          clickButton(box, answer);
                                      });
                     });
        EXPECT_EQ(asked, QString::fromUtf8("„Beta“ wurde inzwischen außerhalb dieses Fensters "
                                           "geändert. Mit dieser Fassung überschreiben?"));
        QFile file(settings::keyFilePath(settingsPath()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray(answer) == "Abbrechen"
                                      ? elsewhere
                                      : "[Beta]\r\n1;50;1\r\n2;;2\r\n# von nebenan\r\n");
    }
}

// Tab from the first field passes every read-only table (the live key table in the editor, the
// count and key tables in the grade-memory box) and reaches the closing button within a bounded
// number of presses. Each Alt key stands for one control.
TEST_F(Window, TabReachesTheClosingButtonAndEveryAltKeyIsUnique) {
    auto window = open();
    window->setText(Field::Rohpunkte, "40");
    ASSERT_TRUE(window->cmdCalc_Click());
    struct DialogRow {
        const char* item;
        std::function<QWidget*(QDialog*)> first;
        const char* close;
    };
    const DialogRow rows[] = {
        {"mnuNotenschluessel", [](QDialog* editor) { return editor->findChild<QLineEdit*>(); },
         "Schließen"},
        {"mnuCache", [](QDialog* box) { return box->findChild<QListView*>(); }, "OK"}};
    for (const DialogRow& row : rows) {
        withModalBox([&] { window->contextMenu()->findChild<QAction*>(row.item)->trigger(); },
                     [&](QDialog* dialog) {
                         ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
                         row.first(dialog)->setFocus(Qt::TabFocusReason);
                         QSet<QWidget*> passed;
                         QString reached;
                         for (int press = 0; press < 40 && reached != row.close; ++press) {
                             QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
                             passed << dialog->focusWidget();
                             auto* button = qobject_cast<QPushButton*>(dialog->focusWidget());
                             reached = button != nullptr ? button->text() : QString();
                         }
                         EXPECT_EQ(reached, row.close) << row.item;
                         for (QTableWidget* table : dialog->findChildren<QTableWidget*>()) {
                             EXPECT_TRUE(passed.contains(table))
                                 << table->accessibleName().toStdString();
                         }
                         QString keys;
                         for (auto* control : dialog->findChildren<QWidget*>()) {
                             auto* label = qobject_cast<QLabel*>(control);
                             auto* button = qobject_cast<QAbstractButton*>(control);
                             const QString text = label != nullptr && label->buddy() != nullptr
                                                      ? label->text()
                                                  : button != nullptr ? button->text()
                                                                      : QString();
                             const QKeySequence key = QKeySequence::mnemonic(text);
                             if (!control->isHidden() && !key.isEmpty()) {
                                 const QString letter = key.toString().right(1).toLower();
                                 EXPECT_FALSE(keys.contains(letter)) << text.toStdString();
                                 keys += letter;
                             }
                         }
                     });
    }
}

// Tab from a cell being edited keeps the edit and leaves the table; "Speichern" while a cell is
// still being edited saves what the cell shows.
TEST_F(Window, CellStillBeingEditedIsSaved) {
    writeKeyFile("[Beta]\r\n1;50;1\r\n2;;2\r\n");
    auto window = open();
    withModalBox([&] { window->mnuNotenschluessel_Click(); },
                 [&](QDialog* editor) {
                     chooseFirstKey(editor);
                     QTableView* grades = nullptr;
                     for (auto* table : editor->findChildren<QTableView*>()) {
                         grades = table->accessibleName() == "Noten" ? table : grades;
                     }
                     ASSERT_NE(grades, nullptr);
                     ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
                     auto type = [&](int row, int column, const char* text) {
                         grades->setCurrentIndex(grades->model()->index(row, column));
                         grades->edit(grades->currentIndex());
                         QWidget* cell = grades->indexWidget(grades->currentIndex());
                         EXPECT_TRUE(qobject_cast<QLineEdit*>(cell));
                         QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
                         QTest::keyClicks(cell, text);
                         return cell;
                     };
                     // Tab keeps the edit and leaves the table.
                     QTest::keyClick(type(1, 2, "3"), Qt::Key_Tab);
                     EXPECT_FALSE(grades->isAncestorOf(editor->focusWidget()));
                     EXPECT_NE(editor->focusWidget(), grades);
                     type(0, 1, "57");
                     // As its Alt key does: the focus stays in the cell.
                     for (QPushButton* button : editor->findChildren<QPushButton*>()) {
                         if (button->text() == "&Speichern") {
                             button->click();
                         }
                     }
                 });
    QFile file(settings::keyFilePath(settingsPath()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Beta]\r\n1;57;1\r\n2;;3\r\n");
}

// An own key "Dreissig" of 30 grades with texts of twelve characters.
QByteArray keyFileOfThirtyGrades() {
    grading::GradingKey key{QStringLiteral("Dreissig"), {}, 20, {}, {}, {}};
    for (int grade = 0; grade < 30; ++grade) {
        key.grades.push_back({QStringLiteral("Stufe%1abcde").arg(grade, 2, 10, QChar(u'0')),
                              grade < 29 ? std::optional<double>(99 - grade * 3) : std::nullopt,
                              grade * 10});
    }
    return settings::formatKeyFile({key});
}

// At 200 %, the editor on a 1600 × 1000 screen has 800 × 500 to itself, the grade-memory box on
// a 1024 × 768 screen 512 × 384; made that small, each shows every button whole, with a key of 30
// grades graded and the longest preset's sixteen grades.
TEST_F(Window, DialogsFitHalfOfTheirScreensAtTwiceTheScale) {
    writeKeyFile(keyFileOfThirtyGrades());
    auto window = open();
    window->setText(Field::Rohpunkte, "40");
    for (const char* key : {"GYM", "IHK", "Dreissig"}) {
        window->setText(Field::Schluessel, key);
        ASSERT_TRUE(window->cmdCalc_Click());
    }
    for (const auto& [item, room] : {std::pair{"mnuNotenschluessel", QSize(800, 500)},
                                     std::pair{"mnuCache", QSize(512, 384)}}) {
        withModalBox(
            [&] { window->contextMenu()->findChild<QAction*>(item)->trigger(); },
            [&](QDialog* dialog) {
                const QSize least = dialog->minimumSizeHint();
                EXPECT_LE(least.width(), room.width()) << item;
                EXPECT_LE(least.height(), room.height()) << item;
                dialog->resize(room);
                QApplication::processEvents();
                for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
                    // What a scroll area holds comes into sight with the focus.
                    bool scrolled = false;
                    for (QWidget* up = button; up != dialog; up = up->parentWidget()) {
                        scrolled = scrolled || qobject_cast<QAbstractScrollArea*>(up);
                    }
                    const QRect shown(button->mapTo(dialog, QPoint(0, 0)), button->size());
                    EXPECT_TRUE(scrolled || !button->isVisible() || dialog->rect().contains(shown))
                        << item << " " << button->text().toStdString();
                }
            });
    }
}

} // namespace
