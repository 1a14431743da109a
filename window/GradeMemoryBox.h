// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/Notenspiegel.h"

#include <QDialog>
#include <QLocale>

class QListView;

// Shows the grade memory like a message box, but scrollable, so that a session with thousands of
// results stays readable. Ctrl+C copies the selected lines, or the whole text when none is.
// Under the list stands the Notenspiegel of each key that has results, with a button that copies
// it as tab-separated rows.
class GradeMemoryBox : public QDialog {
public:
    GradeMemoryBox(const QString& text, const QString& title, QWidget* parent,
                   const grading::Notenspiegel& notenspiegel = {},
                   const QLocale& locale = QLocale());

    QString shownText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void copy() const;

    QString m_text; // as shown: one line a line break
    QListView* m_lines = nullptr;
};
