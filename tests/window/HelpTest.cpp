// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/KeyRules.h"
#include "grading/MessageTitle.h"
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
        auto activeThen = [&](QWidget* window) {
            // Shortcuts go by the application's active window, which may follow the platform's
            // a little later.
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }));
            inside(window);
        };
        if (open == nullptr) {
            activeThen(m_window.get());
            return;
        }
        ASSERT_TRUE(withModalBox([&] { (m_window.get()->*open)(); }, activeThen));
    }

    static QTextBrowser* textOf(HelpWindow* help) { return help->findChild<QTextBrowser*>(); }

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
        const QTextBlock top = textOf(help)->cursorForPosition(QPoint(4, 4)).block();
        return top.blockFormat().headingLevel() > 0 ? top.text()
                                                    : "(no heading: " + top.text() + ")";
    }

    // The heading the text cursor stands on, where the screen reader starts.
    static QString sectionAtCursor(HelpWindow* help) {
        const QTextBlock block = textOf(help)->textCursor().block();
        return block.blockFormat().headingLevel() > 0 ? block.text() : QString();
    }
};

struct SectionRow {
    std::string name;
    Opener open;
    HelpSection section;
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
        EXPECT_EQ(sectionInView(help), heading(GetParam().section));
        QTest::keyClick(window->focusWidget(), Qt::Key_F1);
        EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);
        QTest::keyClick(help, Qt::Key_Escape);
        EXPECT_FALSE(help->isVisible());
    });
}

INSTANTIATE_TEST_SUITE_P(
    Windows, F1InEachWindow,
    testing::Values(
        SectionRow{"main_window", nullptr, HelpSection::FirstSteps},
        SectionRow{"grade_memory_box", &frmMain::mnuCache_Click, HelpSection::GradeMemory},
        SectionRow{"key_editor", &frmMain::mnuNotenschluessel_Click, HelpSection::Editor}),
    ROW_NAMES);

TEST_F(Help, MenuItemOpensTheHandbookAtItsStart) {
    action("mnuHilfe")->trigger();
    HelpWindow* help = helpOf(m_window.get());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(sectionInView(help), heading(HelpSection::Start));
}

// One help window: asked from a box, it goes there, where it takes keys beside the modal box,
// and back to the window when the box closes, open where the reader left it.
TEST_F(Help, FollowsTheBoxItIsAskedFromAndStaysOpenAfterIt) {
    HelpWindow* help = showHelp(m_window.get(), HelpSection::FirstSteps);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    textOf(help)->verticalScrollBar()->setValue(400);
    inWindow(&frmMain::mnuCache_Click, [&](QWidget* box) {
        QTest::keyClick(box->focusWidget(), Qt::Key_F1);
        EXPECT_EQ(helpOf(box), help);
        EXPECT_EQ(textOf(help)->verticalScrollBar()->value(), 400);
    });
    EXPECT_EQ(help->parentWidget(), m_window.get());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(textOf(help)->verticalScrollBar()->value(), 400);
}

// Each section the program opens the help at is a heading of the handbook.
TEST_F(Help, EverySectionItOpensAtIsAHeading) {
    HelpWindow* help = showHelp(m_window.get(), HelpSection::Start);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    for (HelpSection section : allHelpSections) {
        textOf(help)->moveCursor(QTextCursor::End);
        help->showSection(heading(section));
        EXPECT_EQ(sectionAtCursor(help), heading(section));
    }
}

TEST_F(Help, CtrlFFindsAWordAndEnterTheNextOne) {
    showHelp(m_window.get(), HelpSection::FirstSteps);
    HelpWindow* help = helpOf(m_window.get());
    ASSERT_NE(help, nullptr);
    QTextBrowser* text = textOf(help);
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
        showHelp(m_window.get(), HelpSection::Start)->close(); // its first showing reads it
        QFile file(":/zensulino/hilfe/Handbuch.md");
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    }

    // The caption of every button and labelled control in sight, with the mark of its Alt key.
    static QStringList captions(QWidget* window) {
        QStringList seen;
        for (auto* button : window->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(window) && !button->text().isEmpty()) {
                seen << button->text();
            }
        }
        for (auto* label : window->findChildren<QLabel*>()) {
            if (label->isVisibleTo(window) && label->buddy() != nullptr &&
                label->text().contains('&')) {
                seen << label->text();
            }
        }
        return seen;
    }

    // The handbook's lines from a heading to the next one.
    static QString section(const QString& text, const QString& heading) {
        const qsizetype start = text.indexOf('\n' + heading + '\n');
        return start < 0 ? QString() : text.mid(start, text.indexOf("\n#", start + 1) - start);
    }

    // Each control with an Alt key stands in its window's table: "| Alt+E | Eintrag entfernen".
    static QStringList altKeysMissing(const QStringList& captions, const QString& table) {
        QStringList missing;
        for (const QString& caption : captions) {
            const qsizetype mark = caption.indexOf('&');
            if (mark < 0 || mark + 1 >= caption.size()) {
                continue;
            }
            const QString row =
                QStringLiteral("| Alt+%1 | %2")
                    .arg(caption.at(mark + 1).toUpper(), QString(caption).remove('&'));
            if (!table.contains(row)) {
                missing << row;
            }
        }
        return missing;
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
    QStringList inBox;
    QStringList inEditor;
    inWindow(&frmMain::mnuCache_Click, [&](QWidget* box) { inBox = captions(box); });
    inWindow(&frmMain::mnuNotenschluessel_Click,
             [&](QWidget* editor) { inEditor = captions(editor); });
    for (const QString& caption : inBox + inEditor) {
        named << QString(caption).remove('&');
    }
    for (grading::MessageTitle title : grading::allMessageTitles) {
        named << grading::messageTitle(title);
    }
    for (const QString& setting :
         {grading::scaleSetting, grading::weakSetting, grading::approvalSetting}) {
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
    EXPECT_EQ(altKeysMissing(inBox, section(text, "### Noten-Speicher")), QStringList());
    EXPECT_EQ(altKeysMissing(inEditor, section(text, "### Editor für Notenschlüssel")),
              QStringList());
}

// Each link between sections leads to its heading.
TEST_F(HandbookText, EveryLinkLeadsToItsSection) {
    const QString text = handbook();
    HelpWindow* help = showHelp(m_window.get(), HelpSection::Start);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    QTextBrowser* browser = textOf(help);
    // What a link name and its heading share: their letters and digits.
    auto letters = [](const QString& words) {
        QString kept;
        for (const QChar c : words.toLower()) {
            if (c.isLetterOrNumber()) {
                kept += c;
            }
        }
        return kept;
    };
    const QRegularExpression link(R"(\[([^\]]+)\]\(#([^)]+)\))");
    int links = 0;
    for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
        browser->moveCursor(QTextCursor::End);
        emit browser->anchorClicked(QUrl("#" + match.captured(2)));
        const QString reached = sectionAtCursor(help);
        EXPECT_TRUE(browser->viewport()->rect().contains(browser->cursorRect().center()));
        EXPECT_EQ(letters(match.captured(2)), letters(reached))
            << match.captured(0).toStdString() << " reached " << reached.toStdString();
        ++links;
    }
    EXPECT_GT(links, 10);
}

} // namespace
