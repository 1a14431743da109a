// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/MessageTitle.h"
#include "grading/NotenSpeicher.h"

#include <QDialog>
#include <QLocale>
#include <functional>
#include <vector>

struct ExamSheet;
class GradeMemoryModel;
class KeyTableSection;
class NotenspiegelSection;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// Shows the grade memory like a message box, but scrollable, so that a session with thousands of
// results stays readable. Ctrl+C copies the selected lines, or the whole text when none is.
// Selected entries can be taken out (Delete, "Eintrag entfernen"), and put back with Ctrl+Z while
// the box is open. Under the list stands the Notenspiegel of each key that has results, beside it
// the key table for the exam's maximum; buttons copy either, and print both on one sheet or save
// it as a PDF.
class GradeMemoryBox : public QDialog {
public:
    // The key table beside the list is for `maximumText` under `key`. Where `editKeys` is given,
    // a button beside the table calls it to edit the keys, and the table shows the key it returns.
    GradeMemoryBox(grading::NotenSpeicher& memory, const QString& maximumText,
                   const grading::Key& key, QWidget* parent, const QLocale& locale = QLocale(),
                   std::function<grading::Key()> editKeys = {});

    QString shownText() const;

protected:
    // Ctrl+C, Ctrl+Z, and Delete in the list, from whichever control has the focus: the list
    // and the buttons pass these keys on to the box.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void copy() const;
    void removeSelected();
    void undoRemoval();
    void memoryChanged();
    ExamSheet sheet() const;
    void print();
    void saveAsPdf();
    void saveAsCsv();
    // Empty where the teacher cancels.
    QString chosenFile(const QString& title, const QString& filter, const QString& proposal);
    void saveChosen(const QString& path, const QByteArray& bytes, const QString& notSaved,
                    grading::MessageTitle title);

    const grading::NotenSpeicher& m_memory;
    GradeMemoryModel* m_model = nullptr;
    QListView* m_lines = nullptr;
    QLocale m_locale;
    NotenspiegelSection* m_notenspiegel = nullptr;
    KeyTableSection* m_keyTable = nullptr;
    QLineEdit* m_title = nullptr; // for the printed sheet alone, never saved
    QDateEdit* m_date = nullptr;
    QLabel* m_saved = nullptr; // where the last file saved from the box went
    QPushButton* m_remove = nullptr;
    QPushButton* m_copyNotenspiegel = nullptr;
    std::vector<grading::NotenSpeicher::Removed> m_removals; // for Ctrl+Z, newest last
};
