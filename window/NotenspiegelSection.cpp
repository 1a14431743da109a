// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/NotenspiegelSection.h"

#include "grading/Numbers.h"
#include "window/CellTable.h"
#include "window/NotenspiegelChart.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// "4 Ergebnisse · Durchschnitt (Punkte): 7,50 · unter 05 Punkten: 1 (25 %)"; a key without weak
// grades has no weak part.
QString summaryLine(const grading::Notenspiegel::Summary& summary, const QLocale& locale) {
    const grading::GradingKey& key = *summary.key;
    const QString results = grading::countText(summary.results, locale);
    QString line =
        (summary.results == 1 ? QStringLiteral("%1 Ergebnis") : QStringLiteral("%1 Ergebnisse"))
            .arg(results) +
        QStringLiteral(" · %1: %2").arg(key.averageHeading, grading::averageText(summary, locale));
    if (key.firstWeak) {
        line += QStringLiteral(" · %1: %2 (%3)")
                    .arg(key.weakHeading, grading::countText(summary.weak, locale),
                         grading::weakShareText(summary, locale));
    }
    return line;
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
        auto* line = new QLabel(summaryLine(m_summaries[k], m_locale), m_keys);
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
