// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FieldTexts.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModalBox.h"
#include "tests/support/ShownWindow.h"
#include "window/AboutText.h"
#include "window/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>

using grading::Field;

namespace {

class ContextMenu : public ShownWindow {
protected:
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
                                                 "Notenschlüssel bearbeiten...|"
                                                 "—|Reset|—|&Hilfe|Über...|—|Beenden"));
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

TEST(AboutText, HasSixLinesWithTheGivenYearThenTheWayToTheMenu) {
    EXPECT_EQ(aboutText(2031).split('\r'),
              QStringList({"Zensulino Version 1.4", "",
                           QString::fromUtf8("Programm: © 2031 Zensulino-Projekt"), "",
                           "Besuchen Sie mich im Internet:", "https://zensulino.example.org", "",
                           QString::fromUtf8("Rechtsklick oder F10: Menü · F1: Hilfe")}));
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
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "Zensulino Version 1.4");
    EXPECT_EQ(
        lines[2],
        QString::fromUtf8("Programm: © %1 Zensulino-Projekt").arg(QDate::currentDate().year()));
    EXPECT_EQ(lines[4], "Besuchen Sie mich im Internet:");
}

// Nothing on the window's face shows the menu: resting on "Berechnen" tells of it.
TEST_F(ContextMenu, PointerRestingOnBerechnenTellsOfTheMenu) {
    // Resting: no button held down by a press of a test before, and come from elsewhere.
    QApplication::setActiveWindow(m_window.get());
    for (const Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseRelease(m_window.get(), held, {}, QPoint(1, 1));
    }
    m_window->contextMenu()->hide();
    QTest::mouseMove(m_window->findChild<QWidget*>("cmdCalc"));
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8("Rechnet das Ergebnis aus und nimmt es in den "
                                                  "Noten-Speicher auf (auch mit Enter)\n"
                                                  "Rechtsklick oder F10: Menü · F1: Hilfe"));
    QToolTip::hideText();
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
