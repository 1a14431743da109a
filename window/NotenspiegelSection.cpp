// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/NotenspiegelSection.h"

#include "grading/Numbers.h"
#include "window/BarChartView.h"
#include "window/CellTable.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// "4 Ergebnisse · Durchschnitt (Punkte): 7,50 · Median: 8,00 · unter 05 Punkten: 1 (25 %)"; a key
// without weak grades has no weak part.
QString summaryLine(const grading::Notenspiegel::Summary& summary, const QLocale& locale) {
    const grading::GradingKey& key = *summary.key;
    const QString results = grading::countText(summary.results, locale);
    QString line =
        (summary.results == 1 ? QStringLiteral("%1 Ergebnis") : QStringLiteral("%1 Ergebnisse"))
            .arg(results) +
        QStringLiteral(" · %1: %2 · Median: %3")
            .arg(key.averageHeading, grading::averageText(summary, locale),
                 grading::medianText(summary, locale));
    if (summary.weak) {
        line += QStringLiteral(" · %1: %2 (%3)")
                    .arg(key.weakHeading, grading::countText(*summary.weak, locale),
                         grading::weakShareText(summary, locale));
    }
    return line;
}

} // namespace

// The analysis's caption over its bars, a row a task under them and the hardest tasks named.
void NotenspiegelSection::addAnalysis(const grading::TaskAnalysis::Summary& analysis,
                                      QVBoxLayout* layout) {
    const grading::PasteTable tasks = grading::taskTable(analysis, m_locale);
    auto* heading = new QLabel(grading::wrappableCaption(analysis, m_locale), m_keys);
    heading->setWordWrap(true);
    auto* table = new QTableWidget(m_keys);
    table->setAccessibleName(tasks.caption);
    showCells(table, tasks, {.sameWidthFrom = 1, .aligned = Qt::AlignRight | Qt::AlignVCenter});
    heading->setBuddy(table);
    auto* hardest = new QLabel(grading::hardestSentence(analysis, m_locale), m_keys);
    hardest->setTextInteractionFlags(Qt::TextSelectableByMouse);
    hardest->setWordWrap(true);
    layout->addSpacing(12);
    layout->addWidget(heading);
    layout->addWidget(
        new BarChartView(taskBars(analysis, m_locale), tasks.caption, m_keys, table->width()));
    layout->addWidget(table);
    layout->addWidget(hardest);
}

NotenspiegelSection::NotenspiegelSection(const grading::NotenSpeicher& memory,
                                         const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_memory(memory), m_locale(locale) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    refresh();
}

void NotenspiegelSection::refresh() {
    delete m_keys;
    const std::vector<grading::Notenspiegel::Summary> summaries =
        m_memory.notenspiegel().summaries();
    m_tables = grading::pasteTables(summaries, m_locale);
    const std::vector<grading::TaskAnalysis::Summary> analyses =
        m_memory.taskAnalysis().summaries();
    for (grading::PasteTable& table : grading::pasteTables(analyses, m_locale)) {
        m_tables.push_back(std::move(table));
    }
    m_keys = new QWidget(this);
    auto* layout = new QVBoxLayout(m_keys);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const grading::Notenspiegel::Summary& summary : summaries) {
        const grading::PasteTable counts = grading::countTable(summary, m_locale);
        auto* heading =
            new QLabel(summary.caption + QStringLiteral(" – ") + summary.key->gradeHeading, m_keys);
        auto* table = new QTableWidget(m_keys);
        table->setAccessibleName(summary.caption);
        showCells(table, counts, {.rowHeadings = true});
        heading->setBuddy(table);
        auto* line = new QLabel(summaryLine(summary, m_locale), m_keys);
        // Key names and grade texts are the teacher's, shown as typed.
        heading->setTextFormat(Qt::PlainText);
        line->setTextFormat(Qt::PlainText);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        line->setWordWrap(true);
        layout->addSpacing(6);
        layout->addWidget(heading);
        layout->addWidget(new BarChartView(gradeBars(summary, m_locale), summary.caption, m_keys));
        layout->addWidget(table);
        layout->addWidget(line);
        if (const auto needed = grading::approvalNeeded(summary)) {
            auto* said = new QLabel(grading::approvalSentence(summary, m_locale), m_keys);
            said->setTextFormat(Qt::PlainText);
            said->setWordWrap(true);
            said->setTextInteractionFlags(Qt::TextSelectableByMouse);
            if (*needed) {
                // Stands out: bold, in the palette's colour for what calls for attention.
                QFont bold = said->font();
                bold.setBold(true);
                said->setFont(bold);
                said->setForegroundRole(QPalette::Link);
            }
            layout->addWidget(said);
        }
    }
    for (const grading::TaskAnalysis::Summary& analysis : analyses) {
        addAnalysis(analysis, layout);
    }
    static_cast<QVBoxLayout*>(this->layout())->addWidget(m_keys);
}
