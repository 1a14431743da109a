// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/NotenSpeicher.h"

#include <QDialog>
#include <QLocale>
#include <vector>

class QListView;
class QPushButton;
class QStringListModel;
class QVBoxLayout;

// Shows the grade memory like a message box, but scrollable, so that a session with thousands of
// results stays readable. Ctrl+C copies the selected lines, or the whole text when none is.
// Selected entries can be taken out (Delete, "Eintrag entfernen"), and put back with Ctrl+Z while
// the box is open. Under the list stands the Notenspiegel of each key that has results, beside it
// the key table for the exam's maximum; buttons copy either.
class GradeMemoryBox : public QDialog {
public:
    // The key table beside the list is for `maximumText` under the key of `keyText`.
    GradeMemoryBox(grading::NotenSpeicher& memory, const QString& maximumText,
                   const QString& keyText, QWidget* parent, const QLocale& locale = QLocale());

    QString shownText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void copy() const;
    void removeSelected();
    void undoRemoval();
    void showNotenspiegel();
    std::vector<std::size_t> selectedEntries() const;

    grading::NotenSpeicher& m_memory;
    QLocale m_locale;
    QStringListModel* m_model = nullptr; // the heading, an empty line, then one row an entry
    QListView* m_lines = nullptr;
    QVBoxLayout* m_notenspiegelLayout = nullptr;
    QWidget* m_notenspiegel = nullptr; // built anew whenever the memory changes
    QPushButton* m_remove = nullptr;
    QPushButton* m_copyNotenspiegel = nullptr;
    std::vector<grading::NotenSpeicher::Removed> m_removals; // for Ctrl+Z, newest last
};
