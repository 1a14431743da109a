// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/NotenSpeicher.h"
#include "grading/PasteTable.h"

#include <QLocale>
#include <QWidget>
#include <vector>

class QVBoxLayout;

// Under the grade-memory list: for each key, and each version of a key, that has results, its
// counts grade by grade and a line with the number of results, the average and the weak results;
// then for each exam typed task by task how the class did in each task.
class NotenspiegelSection : public QWidget {
public:
    NotenspiegelSection(const grading::NotenSpeicher& memory, const QLocale& locale,
                        QWidget* parent);

    // What is shown, as "Notenspiegel kopieren" copies it.
    const std::vector<grading::PasteTable>& tables() const { return m_tables; }
    // After entries left the memory or came back.
    void refresh();

private:
    void addAnalysis(const grading::TaskAnalysis::Summary& analysis, QVBoxLayout* layout);

    const grading::NotenSpeicher& m_memory;
    QLocale m_locale;
    std::vector<grading::PasteTable> m_tables;
    QWidget* m_keys = nullptr; // built anew on every refresh
};
