// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/ExamSheet.h"

#include "grading/Calculation.h"
#include "grading/NotenSpeicher.h"
#include "grading/TaskSum.h"
#include "sheet/BarChart.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"
#include "tests/support/Poppler.h"
#include "tests/support/SampleSheet.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

QString writtenPdf(const QTemporaryDir& dir, const ExamSheet& sheet) {
    QFile pdf(dir.filePath("sheet.pdf"));
    EXPECT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(examSheetPdf(sheet, german));
    return pdf.fileName();
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
    std::vector<grading::GradingKey> own{tendencyKey(), tendencyKey(), tendencyKey()};
    own[1].name = QStringLiteral("Grenze");
    own[1].approval = grading::approvalFromFileText(QStringLiteral("ab 1/3")).limit;
    own[2].name = QStringLiteral("Hälfte");
    own[2].approval = grading::approvalFromFileText(QStringLiteral("mehr als 1/2")).limit;
    own.push_back(dictationKey());
    own.back().approval = own[1].approval;
    own.push_back(quotientKey());
    own.back().approval = own[2].approval;
    const grading::Keys keys(german, own);
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
    QTemporaryDir dir;
    const QString pdf = writtenPdf(dir, sampleSheet(memory, keys, german));

    const QString info = poppler("pdfinfo", pdf);
    EXPECT_TRUE(info.contains("Page size: 595 x 842 pts (A4)")) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages: %1").arg(GetParam().pages)))
        << info.toStdString();
    const QString text = poppler("pdftotext", pdf);
    for (const QString& shown :
         GetParam().shown +
             QStringList{"Klassenarbeit Nr. 2, 8b", "Datum: 07.12.2026", "Zensulino 1.4"}) {
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " in " << text.toStdString();
    }
    EXPECT_FALSE(text.contains("% =")) << "the results list stays off the sheet";
    const QString lastPage =
        poppler("pdftotext", pdf, GetParam().pages[0] - '0', GetParam().pages[0] - '0');
    const QString lastBlock = text.contains("Aufgaben (") ? "Schwerste" : "Ergebnisse:";
    EXPECT_TRUE(lastPage.contains("Lehrkraft:") &&
                (GetParam().times == 0 || lastPage.contains(lastBlock)))
        << "the teacher's line goes with the last block: " << lastPage.toStdString();
}

// GYM's table for 40 points in whole points.
const QStringList gymFor40{"Punkte ab bis 15 38 40", "00 0 7"};

INSTANTIATE_TEST_SUITE_P(
    Sessions, Sheet,
    testing::Values(
        SheetRow{
            "empty", {}, 0, "1", gymFor40 + QStringList{"Notenschlüssel für 40 Rohpunkte (GYM)"}},
        // The teacher's line would stand alone on a page of its own.
        SheetRow{"one_key_of_sixteen_grades",
                 {{"40", "35", "GYM"}},
                 1,
                 "2",
                 gymFor40 + QStringList{"Notenspiegel (GYM)", "Lehrkraft: ______________"}},
        // Two pages since each key shows its median and its shares too.
        SheetRow{"mixed_keys",
                 {{"40", "35", "GYM"}, {"40", "18", "GYM"}, {"40", "38", "IHK"}},
                 1,
                 "2",
                 gymFor40 + QStringList{"Notenspiegel (GYM)", "Notenspiegel (IHK)", "Ergebnisse: 2",
                                        "Durchschnitt (Punkte): 9,00", "Median: 9,00",
                                        "unter 05 Punkten: 0 (0 %)", "Durchschnittsnote: 1,00",
                                        "Anzahl 1 0 0 0 0 0"}},
        // The tasks after the keys, whatever key graded them; the points typed as a number count
        // in the Notenspiegel alone.
        SheetRow{"task_analysis_after_the_keys",
                 {{"10+8+12+6", "8+5+12+3", "GYM"},
                  {"10+8+12+6", "10+8+11,5+6", "IHK"},
                  {"10+8+12+6", "20", "IHK"}},
                 1,
                 "2",
                 {"Notenschlüssel für 36 Rohpunkte (GYM)", "Notenspiegel (IHK)",
                  "Aufgaben (10+8+12+6), 2 Arbeiten",
                  "Aufgabe Punkte Mittel Lösungsquote volle Punktzahl", "3 12 11,75 97,9 % 1",
                  "4 6 4,50 75,0 % 1", "Gesamt 36 31,75 88,2 % 0",
                  "Schwerste Aufgabe: 4 (75,0 %) dunkel: schwerste Aufgabe"}},
        // Three pages since each key has its own key table above its Notenspiegel.
        SheetRow{"two_hundred_results_under_three_keys",
                 {{"40", "35", "GYM"},
                  {"40", "20", "IHK"},
                  {"100", "82", "Tendenz"},
                  {"100", "30", "Tendenz"}},
                 50,
                 "3",
                 gymFor40 + QStringList{"Notenspiegel (Tendenz)", "Ergebnisse: 100",
                                        "Durchschnitt: 3,80", "Noten 5+ bis 6: 50 (50 %)",
                                        "Anzahl 0 0 0 0 0 50 0 0 0 0 0 0 0 0 50 0"}},
        // Each key heads its Notenspiegel with its own key table; the sheet ends with the
        // teacher's line.
        SheetRow{"approval_limits",
                 {{"100", "100", "Grenze"},
                  {"100", "100", "Grenze"},
                  {"100", "100", "Grenze"},
                  {"100", "100", "Grenze"},
                  {"100", "20", "Grenze"},
                  {"100", "20", "Grenze"},
                  {"100", "100", "Hälfte"},
                  {"100", "100", "Hälfte"},
                  {"100", "100", "Hälfte"},
                  {"100", "100", "Hälfte"},
                  {"100", "20", "Hälfte"},
                  {"40", "35", "GYM"}},
                 5,
                 "4",
                 gymFor40 +
                     QStringList{
                         "Genehmigung nötig: 10 von 30 schwach (33,3 %), Grenze: ab einem Drittel.",
                         "Genehmigt: ______________ (Datum, Unterschrift Schulleitung)",
                         "Keine Genehmigung nötig: 5 von 25 schwach (20 %), Grenze: mehr als die "
                         "Hälfte.",
                         "Median: 0,70", "1+ 20 66,7 %", "5- 10 33,3 %", "Anteil 80 %",
                         "dunkel: schwach, ab Note 5+", "Notenschlüssel für 100 Rohpunkte (Grenze)",
                         "Notenschlüssel für 100 Rohpunkte (Hälfte)", "Lehrkraft: ______________"}},
        // Keys of errors with approval limits: each its own table, figures and approval line.
        SheetRow{"error_keys_with_approval_limits",
                 {{"", "2,5", "Diktat"},
                  {"", "20", "Diktat"},
                  {"250", "3", "Quotient"},
                  {"250", "30", "Quotient"}},
                 2,
                 "2",
                 {"Notenschlüssel nach Fehlern (Diktat) Note von bis 1 0 0 2 0,5 2",
                  "Notenschlüssel für 250 Wörter (Quotient) Note von bis 1 0 2",
                  "Genehmigung nötig: 2 von 4 schwach (50 %), Grenze: ab einem Drittel.",
                  "Keine Genehmigung nötig: 2 von 4 schwach (50 %), Grenze: mehr als die Hälfte.",
                  "Durchschnitt: 4,50", "Noten 5 bis 6: 2 (50 %)"}}),
    ROW_NAMES);

// Two versions of one key stand apart, the older headed "Fassung 1" above its own key table,
// average, median and weak share; a page range prints its pages alone.
TEST(ExamSheetPdf, VersionsStandApartAndAPageRangePrintsAlone) {
    grading::NotenSpeicher memory;
    const auto first = std::make_shared<const grading::GradingKey>(tendencyKey());
    grading::GradingKey renamedGrade = tendencyKey();
    renamedGrade.grades[0].text = QStringLiteral("1++");
    const auto second = std::make_shared<const grading::GradingKey>(renamedGrade);
    memory.append("99,0 %", first, 0, {{100, {}}, 99, {}, {}});
    memory.append("20,0 %", first, 14, {{100, {}}, 20, {}, {}});
    memory.append("82,0 %", second, 5, {{50, {}}, 41, {}, {}});
    const ExamSheet sheet = sampleSheet(memory, grading::Keys(german), german);
    QTemporaryDir dir;
    const QString text = poppler("pdftotext", writtenPdf(dir, sheet));
    for (const char* shown : {"Notenschlüssel für 100 Rohpunkte (Tendenz, Fassung 1)",
                              "Notenspiegel (Tendenz, "
                              "Fassung 1)",
                              "Durchschnitt: 3,00 Median: 3,00 Noten 5+ bis 6: 1 (50 %)",
                              "Notenschlüssel für 50 Rohpunkte (Tendenz)", "Notenspiegel (Tendenz)",
                              "Durchschnitt: 2,30 Median: 2,30 Noten 5+ bis 6: 0 (0 %)"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown)))
            << shown << " in " << text.toStdString();
    }
    QFile pdf(dir.filePath("seite2.pdf"));
    {
        QPdfWriter writer(pdf.fileName());
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter));
        paintExamSheet(writer, sheet, german, {2, 2});
    }
    EXPECT_TRUE(poppler("pdfinfo", pdf.fileName()).contains("Pages: 1"));
    const QString alone = poppler("pdftotext", pdf.fileName());
    EXPECT_TRUE(alone.contains("Seite 2 von") && !alone.contains("Seite 1 von"))
        << alone.toStdString();
}

// Counts as a key of `grades` grades may hold, up to 1,000,000.
grading::Notenspiegel::Summary drawnSummary(const grading::GradingKey& key, std::mt19937& draw) {
    grading::Notenspiegel::Summary summary{std::make_shared<const grading::GradingKey>(key),
                                           QStringLiteral("Notenspiegel (%1)").arg(key.name),
                                           std::nullopt,
                                           {},
                                           0,
                                           0,
                                           std::nullopt};
    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        const qint64 tens[] = {1, 10, 1000, 100000, 1000000};
        summary.counts.push_back(
            static_cast<qint64>(draw() % 5 == 0 ? 1000000 : draw() % tens[draw() % 5]));
        summary.results += summary.counts.back();
    }
    return summary;
}

// Keys of 2 to 30 grades, texts of 1 to 12 characters, counts up to 1,000,000, on paper and as
// wide as the box makes a chart: every grade and count stands whole, apart from every other
// text, within the chart, in 8 pt or more.
TEST(BarChart, EveryGradeAndCountStandsWholeAndApart) {
    QPdfWriter paper(QStringLiteral("/dev/null"));
    paper.setResolution(300);
    const QImage screen(10, 10, QImage::Format_RGB32);
    std::mt19937 draw(4711);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    for (const grading::GradingKey& key : randomKeys(20261208, 60)) {
        const grading::Notenspiegel::Summary summary = drawnSummary(key, draw);
        const auto grades = static_cast<qreal>(key.grades.size());
        const qreal paperWidth = 482.0 * 300 / 72; // A4 less its margins
        const qreal screenWidth = grades * 1.5 * QFontMetricsF(font, &screen).height();
        for (const auto& [device, width] :
             {std::pair<const QPaintDevice*, qreal>{&paper, paperWidth}, {&screen, screenWidth}}) {
            const BarChart chart(gradeBars(summary, german), font, device, width, 100,
                                 device == &paper ? BarChart::Fit::Within : BarChart::Fit::Widen);
            EXPECT_GE(chart.font().pointSizeF(), 8);
            const auto& texts = chart.texts();
            ASSERT_EQ(texts.size(), 2 * key.grades.size());
            for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
                EXPECT_EQ(texts[2 * grade].text, QString::number(summary.counts[grade]));
                EXPECT_EQ(QString(texts[2 * grade + 1].text).replace(u'\n', u' '),
                          key.grades[grade].text);
            }
            const QFontMetricsF metrics(chart.font(), device);
            const QRectF whole = QRectF(0, 0, chart.width(), chart.height()).adjusted(-1, -1, 1, 1);
            for (std::size_t one = 0; one < texts.size(); ++one) {
                for (const QString& line : texts[one].text.split(u'\n')) {
                    EXPECT_LE(metrics.horizontalAdvance(line), texts[one].box.width() + 0.01)
                        << line.toStdString();
                }
                EXPECT_TRUE(whole.contains(texts[one].outline().boundingRect()))
                    << texts[one].text.toStdString() << " in " << key.name.toStdString();
                for (std::size_t other = one + 1; other < texts.size(); ++other) {
                    EXPECT_FALSE(texts[one].outline().intersects(texts[other].outline()))
                        << texts[one].text.toStdString() << " and "
                        << texts[other].text.toStdString() << " in " << key.name.toStdString();
                }
            }
        }
    }
}

// Where each word stands on each page, as poppler reads it: the page's words, each with its box.
struct Word {
    QString text;
    QRectF box;
};
std::vector<std::vector<Word>> wordsByPage(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-bbox", pdf, "-"});
    process.waitForFinished(30000);
    std::vector<std::vector<Word>> pages;
    const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                 "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"
                                                 "([^<]*)</word>"));
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.contains("<page ")) {
            pages.emplace_back();
        } else if (const auto found = word.match(line); found.hasMatch() && !pages.empty()) {
            const QPointF from(found.captured(1).toDouble(), found.captured(2).toDouble());
            const QPointF to(found.captured(3).toDouble(), found.captured(4).toDouble());
            pages.back().push_back({found.captured(5), QRectF(from, to)});
        }
    }
    return pages;
}

// An exam of 40 tasks of 1 to 4 points, each scored full once and not at all once, typed as
// sums: every task's row read back from the sheet, the forty hardest named whole, every word
// within the margins, and the block on a page of its own, headed as every page is.
TEST(ExamSheetPdf, FortyTasksReadBackRowByRow) {
    QStringList maxima;
    QStringList none;
    QStringList rows;
    QStringList numbers;
    for (int task = 1; task <= grading::mostTasks; ++task) {
        const int maximum = 1 + task % 4;
        maxima << QString::number(maximum);
        none << "0";
        rows << QStringLiteral("%1 %2 %3,%4 50,0 % 1")
                    .arg(task)
                    .arg(maximum)
                    .arg(maximum / 2)
                    .arg(maximum % 2 == 0 ? "00" : "50");
        numbers << QString::number(task);
    }
    ModelWindow window;
    grading::NotenSpeicher memory;
    for (const QStringList& points : {maxima, none}) {
        window.setText(grading::Field::Rohpunkte, maxima.join('+'));
        window.setText(grading::Field::Punkte, points.join(" + "));
        grading::calculate(window, memory, grading::Keys(german), german);
    }
    ASSERT_EQ(memory.size(), 2u);
    const Bars bars = taskBars(memory.taskAnalysis().summaries().front(), german);
    EXPECT_EQ(std::count(bars.standOut.begin(), bars.standOut.end(), true), 0)
        << "forty tasks of one rate: none the hardest bar";
    QTemporaryDir dir;
    const QString pdf = writtenPdf(dir, sampleSheet(memory, grading::Keys(german), german));
    const QString text = poppler("pdftotext", pdf).simplified().replace("+ ", "+");
    for (const QString& shown :
         rows + QStringList{"Aufgaben (" + maxima.join('+') + "), 2 Arbeiten",
                            "Gesamt 100 50,00 50,0 % 1",
                            "Schwerste Aufgaben: " + numbers.join(", ") + " (50,0 %)"}) {
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " in " << text.toStdString();
    }
    const auto pages = wordsByPage(pdf);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        QStringList texts;
        for (const Word& word : pages[page]) {
            texts << word.text;
            EXPECT_GE(word.box.left(), 56) << word.text.toStdString();
            EXPECT_LE(word.box.right(), 595 - 56) << word.text.toStdString();
        }
        EXPECT_TRUE(texts.contains("Datum:") && texts.contains("Klassenarbeit"));
        EXPECT_TRUE(!texts.contains("Gesamt") || texts.contains("Arbeiten"))
            << "the table under its caption, page " << page + 1;
    }
}

// A key of 30 grades of twelve wide characters and a count of 1,000,000, twice, under a title of
// one word of 300 letters: every page headed by the title (three lines, the last ending in "…")
// and the date, numbered, nothing over its foot or past the margins; every grade and count read
// back whole from the count table, one grade a row; no key table and no instruction without one.
TEST(ExamSheetPdf, ThirtyGradesOnPagesHeadedAndNumbered) {
    grading::GradingKey key{QStringLiteral("Dreißig"), {}, 20, {}, {}, {}};
    for (int grade = 0; grade < 30; ++grade) {
        key.grades.push_back(
            {grade % 3 == 0 ? QStringLiteral("sehr gut %1").arg(grade, 3, 10, QChar(u'0'))
                            : QStringLiteral("WWWWWWWWWW%1").arg(grade, 2, 10, QChar(u'0')),
             grade < 29 ? std::optional<double>(99 - grade * 3) : std::nullopt, grade * 10});
    }
    std::mt19937 draw(30);
    grading::Notenspiegel::Summary summary = drawnSummary(grading::withOwnHeadings(key), draw);
    summary.counts[4] = 1000000;
    summary.counts[7] = 1000000000000; // a count band so tall that a key's block outgrows a page
    const QString title = QString(300, u'W');
    QTemporaryDir dir;
    const QString pdf =
        writtenPdf(dir, {title, QDate(2026, 12, 8), std::nullopt, {}, {{summary}, {summary}}});

    QProcess render;
    render.start("pdftoppm", {"-png", "-r", "50", pdf, dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(30000));
    EXPECT_TRUE(QFile::exists(dir.filePath("page-1.png")));

    const auto pages = wordsByPage(pdf);
    ASSERT_GE(pages.size(), 2u);
    const QString count = QString::number(pages.size());
    QStringList all;
    for (std::size_t page = 1; page <= pages.size(); ++page) {
        const auto& words = pages[page - 1];
        QStringList texts;
        for (const Word& word : words) {
            texts << word.text;
        }
        all += texts;
        const qsizetype date = texts.indexOf("Datum:");
        ASSERT_GE(date, 0) << "page " << page;
        EXPECT_EQ(texts.value(date + 1), "08.12.2026");
        QStringList head;
        for (const Word& word : words) {
            if (word.box.bottom() <= words[static_cast<std::size_t>(date)].box.top()) {
                head << word.text;
            }
        }
        ASSERT_EQ(head.size(), 3) << head.join(' ').toStdString();
        EXPECT_TRUE(head[2].endsWith(QString::fromUtf8("W…"))) << head[2].toStdString();
        const qsizetype foot = texts.indexOf("Seite");
        ASSERT_GE(foot, 0);
        EXPECT_EQ(texts.mid(foot, 4).join(' '),
                  QStringLiteral("Seite %1 von %2").arg(page).arg(count));
        for (const Word& word : words) {
            EXPECT_TRUE(word.box.bottom() <= words[static_cast<std::size_t>(foot)].box.top() ||
                        std::abs(word.box.top() - words[static_cast<std::size_t>(foot)].box.top()) <
                            1)
                << word.text.toStdString() << " over the foot of page " << page;
            // Within the margins of 20 mm left and right.
            EXPECT_GE(word.box.left(), 56) << word.text.toStdString();
            EXPECT_LE(word.box.right(), 595 - 56) << word.text.toStdString();
        }
        EXPECT_FALSE(texts.contains("Notenschlüssel"));
    }
    EXPECT_EQ(all.count("Ergebnisse:"), 2) << "each key's figures on a page";

    for (std::size_t grade = 0; grade < key.grades.size(); ++grade) {
        for (const QString& whole : key.grades[grade].text.split(u' ') +
                                        QStringList{QString::number(summary.counts[grade])}) {
            EXPECT_TRUE(all.contains(whole)) << whole.toStdString();
        }
    }
}

} // namespace
