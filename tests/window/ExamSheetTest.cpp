// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ExamSheet.h"

#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModalBox.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"
#include "tests/support/SampleSheet.h"
#include "window/frmMain.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// What poppler reads from a PDF: `pdfinfo`, or the text of `pdftotext` line by line as laid
// out, blanks folded.
QString poppler(const QString& tool, const QString& pdf) {
    QProcess process;
    process.start(tool, tool == "pdftotext" ? QStringList{"-layout", pdf, "-"} : QStringList{pdf});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

struct SheetRow {
    std::string name;
    std::vector<std::tuple<const char*, const char*, const char*>> results; // maximum, points, key
    int times;                                                              // each result
    const char* pages;
    QStringList shown;
};

class Sheet : public testing::TestWithParam<SheetRow> {};

TEST_P(Sheet, IsA4AndHoldsTheKeyTableTheCountsAndTheAverage) {
    const grading::Keys keys(german, {tendencyKey()});
    ModelWindow window;
    grading::NotenSpeicher memory;
    for (int i = 0; i < GetParam().times; ++i) {
        for (const auto& [maximum, points, key] : GetParam().results) {
            window.setText(grading::Field::Rohpunkte, maximum);
            window.setText(grading::Field::Punkte, points);
            window.setText(grading::Field::Schluessel, key);
            grading::calculate(window, memory, keys, german);
        }
    }
    const ExamSheet sheet = sampleSheet(memory, keys, german);
    QTemporaryDir dir;
    QFile pdf(dir.filePath("sheet.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(examSheetPdf(sheet, german));
    pdf.close();

    const QString info = poppler("pdfinfo", pdf.fileName());
    EXPECT_TRUE(info.contains("Page size: 595 x 842 pts (A4)")) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages: %1").arg(GetParam().pages)))
        << info.toStdString();
    const QString text = poppler("pdftotext", pdf.fileName());
    for (const QString& shown :
         GetParam().shown + QStringList{"Klassenarbeit Nr. 2, 8b", "Datum: 07.12.2026",
                                        "Punkte ab bis 15 38 40", "00 0 7", "Zensulino 1.4"}) {
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " in " << text.toStdString();
    }
    EXPECT_FALSE(text.contains("% =")) << "the results list stays off the sheet";
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, Sheet,
    testing::Values(SheetRow{"empty", {}, 0, "1", {"Notenschlüssel für 40 Rohpunkte (GYM)"}},
                    SheetRow{"mixed_keys",
                             {{"40", "35", "GYM"}, {"40", "18", "GYM"}, {"40", "38", "IHK"}},
                             1,
                             "1",
                             {"Notenspiegel (GYM)", "Notenspiegel (IHK)", "Ergebnisse: 2",
                              "Durchschnitt (Punkte): 9,00", "unter 05 Punkten: 0 (0 %)",
                              "Durchschnittsnote: 1,00", "Anzahl 1 0 0 0 0 0"}},
                    SheetRow{"two_hundred_results_under_three_keys",
                             {{"40", "35", "GYM"},
                              {"40", "20", "IHK"},
                              {"100", "82", "Tendenz"},
                              {"100", "30", "Tendenz"}},
                             50,
                             "2",
                             {"Notenspiegel (Tendenz)", "Ergebnisse: 100", "Durchschnitt: 3,80",
                              "Noten 5+ bis 6: 50 (50 %)",
                              "Anzahl 0 0 0 0 0 50 0 0 0 0 0 0 0 0 50 0"}}),
    ROW_NAMES);

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
// there and holds the title. A write-protected folder gets the real cause, and no file.
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
                    files->selectFile(path);
                    QMetaObject::invokeMethod(files, "accept");
                });
        });
    if (writeProtected) {
        EXPECT_EQ(message, QStringLiteral("Das PDF wurde nicht gespeichert.\n\nIn den Ordner „%1“ "
                                          "kann nicht geschrieben werden.\nEine vorhandene Datei "
                                          "bleibt unverändert.")
                               .arg(folder));
        EXPECT_FALSE(QFile::exists(path));
    } else {
        EXPECT_EQ(message, "");
        EXPECT_TRUE(poppler("pdftotext", path).contains("Klassenarbeit Nr. 2, 8b"));
    }
    chmod(QFile::encodeName(folder).constData(), 0700);
}

INSTANTIATE_TEST_SUITE_P(Folders, SavePdf, testing::Bool(), [](const auto& row) {
    return std::string(row.param ? "write_protected" : "writable");
});

} // namespace
