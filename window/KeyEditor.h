// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keys/KeyEditSession.h"

#include <QDialog>
#include <QLocale>
#include <QMessageBox>

class KeyTableSection;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

// "Notenschlüssel bearbeiten": the teacher's own keys, made from a preset or another key,
// changed, deleted, imported and exported. The dialog shows an editing session and asks its
// questions; the session changes the key file, and a key is stored only once it keeps every rule.
class KeyEditor : public QDialog, private keys::Questions {
public:
    // The key file is read anew from `keys`. The live key table is for `maximumText`; `keyText`
    // is the main window's key, which a rename takes along and a deletion leaves without its key.
    KeyEditor(settings::KeyStore& keys, const QString& maximumText, const QString& keyText,
              const QLocale& locale, QWidget* parent);

    // The main window's key text, under its new name where the key was renamed.
    const QString& keyText() const { return m_session.keyText(); }

    void done(int result) override;

private:
    void createControls(const QString& maximumText);
    // Shows the session's form anew, after it was replaced.
    void showForm();
    void formChanged();
    void fillWeakChoice();
    void fillApprovalChoice();
    void fillBendChoice();
    void showBendBound();
    void spreadBounds();
    void insertGrade();
    void removeGrade();
    void startNew();
    void showChosenKey();
    void save();
    void remove();
    void importKeys();
    void exportKey();
    // Shows what became of a change; true where it was done.
    bool report(const keys::KeyEditSession::Outcome& outcome, const QString& notDone);
    void listKeys();
    bool mayLeave();
    // A cell still being edited counts as typed; Escape in it takes the edit back, as ever.
    void commitOpenCell();

    bool yes(const QString& question) override;
    bool overwrite(const QString& question, const QString& button) override;
    bool discard(const QString& question) override;
    keys::OnClash onClash(const QString& question) override;
    std::optional<QString> keyName(const QString& question, const QString& proposal) override;
    QMessageBox::StandardButton say(QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton preset = QMessageBox::Ok);

    QLocale m_locale;
    keys::KeyEditSession m_session;
    bool m_filling = false;

    QListWidget* m_list = nullptr;
    QComboBox* m_preset = nullptr;
    QComboBox* m_scale = nullptr;
    QLineEdit* m_name = nullptr;
    QTableView* m_grades = nullptr;
    QComboBox* m_weak = nullptr;
    QComboBox* m_approval = nullptr;
    QFormLayout* m_weakRows = nullptr;
    int m_bendRow = 0; // of m_weakRows, hidden for keys of errors
    QComboBox* m_bend = nullptr;
    std::optional<std::size_t> m_bendPicked; // a row, by the teacher, for the key shown
    bool m_bendAtTyped = false;
    QLineEdit* m_bendAt = nullptr;
    QPushButton* m_spread = nullptr;
    QLabel* m_problem = nullptr;
    QLabel* m_status = nullptr;
    KeyTableSection* m_keyTable = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_removeGrade = nullptr;
};
