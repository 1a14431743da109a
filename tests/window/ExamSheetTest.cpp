// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/ExamSheet.h"

#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "printing/SheetPrinting.h"
#include "settings/KeyFile.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModalBox.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"
#include "tests/support/Poppler.h"
#include "tests/support/SampleSheet.h"
#include "window/frmMain.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// While it lives, runs `then` on the next message box that opens, and closes that box.
class NextMessageBox {
public:
    explicit NextMessageBox(std::function<void(QMessageBox*)> then) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, then = std::move(then)] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_poll.stop();
                then(box);
                box->done(QMessageBox::Ok);
            }
        });
        m_poll.start(10);
    }

private:
    QTimer m_poll;
};

// Saving as another user than root, so that a folder's write protection holds; root writes
// everywhere.
class Unprivileged {
public:
    Unprivileged() : m_switched(geteuid() == 0 && seteuid(65534) == 0) {}
    ~Unprivileged() {
        if (m_switched) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

private:
    bool m_switched;
};

// A title typed in the box, "Als PDF speichern...", a path given in the file dialog: the file is
// there and holds the title, and without a maximum no key table and no instruction to type one. A
// write-protected folder gets the real cause, and no file.
class SavePdf : public testing::TestWithParam<bool> {};

TEST_P(SavePdf, FromTheBoxThroughTheFileDialog) {
    const bool writeProtected = GetParam();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QString::fromUtf8("Klassenarbeiten"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), writeProtected ? 0555 : 0777), 0);
    frmMain window(german, [&] { return dir.filePath("Zensulino.ini"); });
    window.show();
    const QString path = QDir(folder).filePath("8b.pdf");
    QString message;
    QString proposed;
    QString saved;
    withModalBox(
        [&] { window.contextMenu()->findChild<QAction*>("mnuCache")->trigger(); },
        [&](QDialog* box) {
            auto* title = box->findChild<QLineEdit*>("title");
            QTest::keyClicks(title, QString::fromUtf8("Klassenarbeit Nr. 2, 8b"));
            const NextMessageBox failure([&](QMessageBox* shown) { message = shown->text(); });
            const Unprivileged asAnotherUser;
            withModalBox(
                [&] { QTest::mouseClick(box->findChild<QPushButton*>("savePdf"), Qt::LeftButton); },
                [&](QDialog* dialog) {
                    auto* files = qobject_cast<QFileDialog*>(dialog);
                    ASSERT_NE(files, nullptr);
                    proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
                    files->selectFile(path);
                    QMetaObject::invokeMethod(files, "accept");
                });
            saved = box->findChild<QLabel*>("saved")->text();
        });
    EXPECT_EQ(proposed, QString::fromUtf8("Klassenarbeit Nr. 2, 8b.pdf"));
    EXPECT_EQ(saved, writeProtected ? QString() : QStringLiteral("Gespeichert: ") + path);
    if (writeProtected) {
        EXPECT_EQ(message, QStringLiteral("Das PDF wurde nicht gespeichert.\n\nIn den Ordner „%1“ "
                                          "kann nicht geschrieben werden.\nEine vorhandene Datei "
                                          "bleibt unverändert.")
                               .arg(folder));
        EXPECT_FALSE(QFile::exists(path));
    } else {
        EXPECT_EQ(message, "");
        const QString text = poppler("pdftotext", path);
        EXPECT_TRUE(text.contains("Klassenarbeit Nr. 2, 8b"));
        EXPECT_FALSE(text.contains("Höchstpunktzahl")) << "no instruction on paper";
    }
    chmod(QFile::encodeName(folder).constData(), 0700);
}

INSTANTIATE_TEST_SUITE_P(Folders, SavePdf, testing::Bool(), [](const auto& row) {
    return std::string(row.param ? "write_protected" : "writable");
});

// Each key's table on the sheet is for the exam of its newest result, whatever the window's
// fields hold when the sheet is saved: GYM for 47,5 points in half points (after one result for 30,
// and with the window at 40 in whole points) beside a key by errors per 100 words for 250 words,
// in either order.
class SheetKeyTables : public testing::TestWithParam<bool> {};

TEST_P(SheetKeyTables, AreForTheExamOfEachKeysNewestResult) {
    const bool wordsFirst = GetParam();
    QTemporaryDir dir;
    QFile keyFile(settings::keyFilePath(dir.filePath("Zensulino.ini")));
    ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
    keyFile.write(settings::formatKeyFile({quotientKey()}));
    keyFile.close();
    frmMain window(german, [&] { return dir.filePath("Zensulino.ini"); });
    window.show();
    auto type = [&](const char* field, const char* text) {
        auto* edit = window.findChild<QLineEdit*>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
    auto grade = [&](const char* key, const char* outOf, std::initializer_list<const char*> marks) {
        window.findChild<QComboBox*>()->setEditText(key);
        type("txtRohpunkte", outOf);
        for (const char* achieved : marks) {
            type("txtPunkte", achieved);
            QTest::keyClick(window.findChild<QLineEdit*>("txtPunkte"), Qt::Key_Return);
        }
    };
    for (int turn = 0; turn < 2; ++turn) {
        if ((turn == 0) == wordsFirst) {
            grade("Quotient", "250", {"3", "5"});
        } else {
            grade("GYM", "30", {"20"});
            grade("GYM", "47,5", {"35", "20"});
        }
    }
    // The window moves on to the next exam, in whole points.
    window.findChild<QComboBox*>()->setEditText("GYM");
    type("txtRohpunkte", "40");
    const QString path = dir.filePath("8b.pdf");
    withModalBox(
        [&] { window.contextMenu()->findChild<QAction*>("mnuCache")->trigger(); },
        [&](QDialog* box) {
            withModalBox(
                [&] { QTest::mouseClick(box->findChild<QPushButton*>("savePdf"), Qt::LeftButton); },
                [&](QDialog* dialog) {
                    qobject_cast<QFileDialog*>(dialog)->selectFile(path);
                    QMetaObject::invokeMethod(dialog, "accept");
                });
        });
    const QString text = poppler("pdftotext", path);
    for (const char* shown :
         {"Notenschlüssel für 47,5 Rohpunkte (GYM) Punkte ab bis 15 45,5 47,5",
          "Notenschlüssel für 250 Wörter (Quotient) Note von bis 1 0 2 2 3 3"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown)))
            << shown << " in " << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, SheetKeyTables, testing::Bool(), [](const auto& row) {
    return std::string(row.param ? "words_first" : "points_first");
});

// "In PDF-Datei drucken" in the print dialog: the printer's file is written through the save
// route. Onto a full disk (a 64 KiB tmpfs) the message says so, the former file stays byte for
// byte and a new name leaves no file; onto a disk with room the file holds the sheet.
TEST(PrintToFile, TakesTheSaveRoute) {
    QTemporaryDir dir;
    if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "no tmpfs of our own here: " << std::strerror(errno);
    }
    const QByteArray former(8192, 'a');
    {
        QFile file(dir.filePath("8b.pdf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(former), former.size());
        file.close();
        QFile filler(dir.filePath("voll"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(1024, 'x')) == 1024) {
        }
    }
    grading::NotenSpeicher memory;
    const ExamSheet sheet = sampleSheet(memory, grading::Keys(german), german);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (const char* name : {"8b.pdf", "neu.pdf"}) {
        printer.setOutputFileName(dir.filePath(name));
        const QString problem = printSheet(printer, sheet, german);
        EXPECT_TRUE(problem.startsWith("Das PDF wurde nicht gespeichert."))
            << problem.toStdString();
        EXPECT_TRUE(problem.contains("Der Datenträger ist voll.")) << problem.toStdString();
    }
    QFile kept(dir.filePath("8b.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), former);
    EXPECT_FALSE(QFile::exists(dir.filePath("neu.pdf")));

    ASSERT_TRUE(QFile::remove(dir.filePath("voll")));
    EXPECT_EQ(printSheet(printer, sheet, german), "");
    EXPECT_TRUE(poppler("pdftotext", dir.filePath("neu.pdf")).contains("Klassenarbeit Nr. 2, 8b"));
    umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
}

// Without a printer, "Drucken..." says so and points to "Als PDF speichern...".
TEST(PrintWithoutPrinter, SaysSoAndPointsToThePdf) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
        GTEST_SKIP() << "this machine has a printer";
    }
    QTemporaryDir dir;
    frmMain window(german, [&] { return dir.filePath("Zensulino.ini"); });
    window.show();
    QString said;
    withModalBox([&] { window.contextMenu()->findChild<QAction*>("mnuCache")->trigger(); },
                 [&](QDialog* box) {
                     const NextMessageBox message([&](QMessageBox* shown) {
                         said = shown->windowTitle() + ": " + shown->text();
                     });
                     QTest::mouseClick(box->findChild<QPushButton*>("print"), Qt::LeftButton);
                 });
    EXPECT_EQ(said, "Drucken: Es ist kein Drucker eingerichtet. Das Blatt lässt sich mit „Als PDF "
                    "speichern...“ sichern und von dort drucken.");
}

} // namespace
