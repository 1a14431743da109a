// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/MessageTitle.h"
#include "settings/KeyFileText.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModalBox.h"
#include "tests/support/ShownWindow.h"
#include "window/HelpWindow.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

using Opener = void (frmMain::*)();

class Help : public ShownWindow {
protected:
    // Runs `inside` in the window a menu item opens (the main window itself for none).
    void inWindow(Opener open, const std::function<void(QWidget*)>& inside) {
        if (open == nullptr) {
            inside(m_window.get());
            return;
        }
        ASSERT_TRUE(withModalBox([&] { (m_window.get()->*open)(); },
                                 [&](QDialog* box) {
                                     ASSERT_TRUE(QTest::qWaitForWindowActive(box));
                                     inside(box);
                                 }));
    }

    static HelpWindow* helpOf(QWidget* window) {
        HelpWindow* help = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            help = window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
            return help != nullptr && QApplication::activeWindow() == help;
        });
        if (shown) {
            QTest::qWait(20); // the scroll to the section follows the first layout
        }
        return help;
    }

    // The heading at the top of the help's view, where the reader's eye starts.
    static QString sectionInView(HelpWindow* help) {
        auto* text = help->findChild<QTextBrowser*>();
        const QTextBlock top = text->cursorForPosition(QPoint(4, 4)).block();
        return top.blockFormat().headingLevel() > 0 ? top.text()
                                                    : "(no heading: " + top.text() + ")";
    }
};

struct SectionRow {
    std::string name;
    Opener open;
    QString heading;
};

class F1InEachWindow : public Help, public testing::WithParamInterface<SectionRow> {};

// The help belongs to the window where F1 was pressed, so that it takes keys beside a modal
// box; F1 again raises the one window; Escape closes it.
TEST_P(F1InEachWindow, OpensTheHelpAtItsSectionAndEscapeClosesIt) {
    inWindow(GetParam().open, [&](QWidget* window) {
        QTest::keyClick(window->focusWidget(), Qt::Key_F1);
        HelpWindow* help = helpOf(window);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->windowTitle(), QString::fromUtf8("Zensulino – Hilfe"));
        EXPECT_EQ(sectionInView(help), GetParam().heading);
        QTest::keyClick(window->focusWidget(), Qt::Key_F1);
        EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);
        QTest::keyClick(help, Qt::Key_Escape);
        EXPECT_FALSE(help->isVisible());
    });
}

INSTANTIATE_TEST_SUITE_P(
    Windows, F1InEachWindow,
    testing::Values(SectionRow{"main_window", nullptr, "Erste Schritte"},
                    SectionRow{"grade_memory_box", &frmMain::mnuCache_Click,
                               "Noten-Speicher und Notenspiegel"},
                    SectionRow{"key_editor", &frmMain::mnuNotenschluessel_Click, "Der Editor"}),
    ROW_NAMES);

TEST_F(Help, MenuItemOpensTheHandbookAtItsStart) {
    action("mnuHilfe")->trigger();
    HelpWindow* help = helpOf(m_window.get());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(sectionInView(help), QString::fromUtf8("Zensulino – Handbuch"));
}

TEST_F(Help, CtrlFFindsAWordAndEnterTheNextOne) {
    showHelp(m_window.get(), "Erste Schritte");
    HelpWindow* help = helpOf(m_window.get());
    ASSERT_NE(help, nullptr);
    auto* text = help->findChild<QTextBrowser*>();
    QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
    auto* find = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(find, nullptr);
    QTest::keyClicks(find, "genehmigung");
    const QTextCursor first = text->textCursor();
    EXPECT_EQ(first.selectedText().toLower(), "genehmigung");
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(text->textCursor().selectedText().toLower(), "genehmigung");
    EXPECT_GT(text->textCursor().position(), first.position());
    QTest::keyClicks(find, "xyz");
    EXPECT_EQ(help->findChild<QLabel*>("found")->text(), "nicht gefunden");
}

class HandbookText : public Help {
protected:
    QString handbook() {
        showHelp(m_window.get(), "Erste Schritte")->close(); // the help's first showing reads it
        QFile file(":/zensulino/hilfe/Handbuch.md");
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    }

    // Every caption the teacher sees on a button or beside a control, without its Alt mark.
    static QStringList captions(QWidget* window) {
        QStringList seen;
        for (auto* button : window->findChildren<QAbstractButton*>()) {
            if (!button->text().isEmpty()) {
                seen << button->text().remove('&');
            }
        }
        for (auto* label : window->findChildren<QLabel*>()) {
            if (label->buddy() != nullptr && label->text().contains('&')) {
                seen << label->text().remove('&');
            }
        }
        return seen;
    }
};

// A feature added without its words in the handbook fails here.
TEST_F(HandbookText, NamesEveryMenuItemCaptionTitleAndKeyFileSetting) {
    const QString text = handbook();
    QStringList named;
    for (QAction* item : m_window->contextMenu()->actions()) {
        if (!item->isSeparator()) {
            named << item->text().remove('&');
        }
    }
    m_window->setText(grading::Field::Rohpunkte, "40");
    m_window->setText(grading::Field::Punkte, "30");
    ASSERT_TRUE(m_window->cmdCalc_Click()); // so that the box shows all it can
    inWindow(&frmMain::mnuCache_Click, [&](QWidget* box) { named << captions(box); });
    inWindow(&frmMain::mnuNotenschluessel_Click,
             [&](QWidget* editor) { named << captions(editor); });
    for (grading::MessageTitle title : grading::allMessageTitles) {
        named << grading::messageTitle(title);
    }
    for (const QString& setting :
         {settings::scaleSetting, settings::weakSetting, settings::approvalSetting}) {
        named << setting + '=';
    }
    ASSERT_GT(named.size(), 30);
    QStringList missing;
    for (const QString& name : named) {
        if (!text.contains(name)) {
            missing << name;
        }
    }
    EXPECT_EQ(missing, QStringList());
}

// Each link between sections leads to its heading.
TEST_F(HandbookText, EveryLinkLeadsToItsSection) {
    const QString text = handbook();
    HelpWindow* help = showHelp(m_window.get(), "Erste Schritte");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    auto* browser = help->findChild<QTextBrowser*>();
    const QRegularExpression link(R"(\[([^\]]+)\]\(#([^)]+)\))");
    int links = 0;
    for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
        browser->moveCursor(QTextCursor::End);
        emit browser->anchorClicked(QUrl("#" + match.captured(2)));
        const QTextBlock block = browser->textCursor().block();
        const QString reached = block.blockFormat().headingLevel() > 0 ? block.text() : QString();
        EXPECT_TRUE(browser->viewport()->rect().contains(browser->cursorRect().center()));
        EXPECT_EQ(QUrl("#" + match.captured(2)).fragment(),
                  reached.toLower().replace(' ', '-').remove(QRegularExpression(
                      "[^\\w-]", QRegularExpression::UseUnicodePropertiesOption)))
            << match.captured(0).toStdString() << " reached " << reached.toStdString();
        ++links;
    }
    EXPECT_GT(links, 10);
}

} // namespace
