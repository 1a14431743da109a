// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/NotenspiegelSection.h"

#include "window/CellTable.h"
#include "window/NotenspiegelChart.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The rows of a key's table below its grades and counts: "Ergebnisse", the average, the weak.
enum SummaryRow { resultsRow = 2, averageRow = 3, weakRow = 4 };

// "4 Ergebnisse · Durchschnitt (Punkte): 7,50 · unter 05 Punkten: 1 (25 %)", from the cells.
QString summaryLine(const grading::PasteTable& table) {
    const QString& results = table.rows[resultsRow][1];
    const QStringList& average = table.rows[averageRow];
    const QStringList& weak = table.rows[weakRow];
    return (results == QLatin1String("1") ? QStringLiteral("%1 Ergebnis")
                                          : QStringLiteral("%1 Ergebnisse"))
               .arg(results) +
           QStringLiteral(" · %1: %2 · %3: %4 (%5)")
               .arg(average[0], average[1], weak[0], weak[1], weak[2]);
}

} // namespace

NotenspiegelSection::NotenspiegelSection(const grading::NotenSpeicher& memory,
                                         const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_memory(memory), m_locale(locale) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    refresh();
}

void NotenspiegelSection::refresh() {
    delete m_keys;
    m_summaries = m_memory.notenspiegel().summaries();
    m_tables = grading::pasteTables(m_summaries, m_locale);
    m_keys = new QWidget(this);
    auto* layout = new QVBoxLayout(m_keys);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t k = 0; k < m_tables.size(); ++k) {
        const grading::PasteTable& table = m_tables[k];
        const QStringList& grades = table.rows.front();
        auto* heading = new QLabel(table.caption + QStringLiteral(" – ") + grades.front(), m_keys);
        auto* counts = new QTableWidget(m_keys);
        counts->setAccessibleName(table.caption);
        showCells(counts, {table.caption, {grades, table.rows[1]}}, {.rowHeadings = true});
        heading->setBuddy(counts);
        auto* line = new QLabel(summaryLine(table), m_keys);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        line->setWordWrap(true);
        layout->addSpacing(6);
        layout->addWidget(heading);
        layout->addWidget(new NotenspiegelChart(m_summaries[k], m_locale, m_keys));
        layout->addWidget(counts);
        layout->addWidget(line);
    }
    static_cast<QVBoxLayout*>(this->layout())->addWidget(m_keys);
}
