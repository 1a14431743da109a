// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/NotenSpeicher.h"
#include "grading/PasteTable.h"

#include <QLocale>
#include <QWidget>
#include <vector>

// Under the grade-memory list: for each key, and each version of a key, that has results, its
// counts grade by grade and a line with the number of results, the average and the weak results.
class NotenspiegelSection : public QWidget {
public:
    NotenspiegelSection(const grading::NotenSpeicher& memory, const QLocale& locale,
                        QWidget* parent);

    // What is shown, as "Notenspiegel kopieren" copies it.
    const std::vector<grading::PasteTable>& tables() const { return m_tables; }
    // The counts behind each table, for the charts.
    // After entries left the memory or came back.
    void refresh();

private:
    const grading::NotenSpeicher& m_memory;
    QLocale m_locale;
    std::vector<grading::PasteTable> m_tables;
    QWidget* m_keys = nullptr; // built anew on every refresh
};
