// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/KeyForm.h"
#include "settings/KeyStore.h"

#include <QDialog>
#include <QLocale>
#include <QMessageBox>
#include <functional>
#include <optional>
#include <vector>

class KeyTableSection;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// "Notenschlüssel bearbeiten": the teacher's own keys, made from a preset or another key,
// changed, deleted, imported and exported. The editor works on a copy of the own keys and hands
// every change to their owner, which writes the key file at once through the save route; a key
// is stored only once it keeps every rule.
class KeyEditor : public QDialog {
public:
    // The key file is read anew from `keys`. The live key table is for `maximumText`; `keyText`
    // is the main window's key, which a rename takes along and a deletion leaves without its key.
    KeyEditor(settings::KeyStore& keys, const QString& maximumText, const QString& keyText,
              const QLocale& locale, QWidget* parent);

    // The main window's key text, under its new name where the key was renamed.
    const QString& keyText() const { return m_keyText; }

    void done(int result) override;

private:
    void createControls(const QString& maximumText);
    void showForm(const grading::KeyForm& form);
    grading::KeyForm form() const;
    void formChanged();
    void fillWeakChoice();
    void choosePreset(int preset);
    void insertGrade();
    void removeGrade();
    void startNew();
    void showChosenKey();
    void save();
    void remove();
    void importKeys();
    void exportKey();
    // Changes the key file as it is now, asking first where `seen`, the key as the editor read it,
    // was changed there since (`stillWrite` and `writeButton` word the question); true once
    // written.
    bool write(const std::optional<grading::GradingKey>& seen, const QString& stillWrite,
               const QString& writeButton, const settings::KeyStore::Change& change);
    // Asks whether the key of that name gives way to the one saved.
    bool mayReplace(const QString& other);
    bool overwriteChanged(const QString& name, const QString& stillWrite,
                          const QString& writeButton);
    void listKeys(const QString& chosen);
    // Asks where the key being edited has changes not saved, a cell still being edited counted;
    // true where it may be left.
    bool mayLeave();
    // A cell still being edited counts as typed; Escape in it takes the edit back, as ever.
    void commitOpenCell();
    // The own keys as their owner holds them, in the list's order.
    std::vector<grading::GradingKey> own() const;
    // The name of the own key shown; none for a new key.
    std::optional<QString> editing() const;
    // The form as a key, after the open cell; where it breaks a rule, says so after `notDone`,
    // puts the cursor there and gives none.
    std::optional<grading::GradingKey> checkedForm(const QString& notDone);
    // What a deletion or a rename of the key the main window names means there.
    QString keyTextGradesAsGym() const;
    QMessageBox::StandardButton say(QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton preset = QMessageBox::Ok);

    settings::KeyStore& m_keyStore;
    QString m_keyText;
    QLocale m_locale;
    std::vector<grading::GradingKey> m_presets;
    // The own key shown, as it was read or last saved; none for a new key.
    std::optional<grading::GradingKey> m_seen;
    grading::KeyForm m_unchanged; // the form as shown or last saved
    std::optional<std::size_t> m_weakRow;
    bool m_filling = false;

    QListWidget* m_list = nullptr;
    QComboBox* m_preset = nullptr;
    QLineEdit* m_name = nullptr;
    QTableWidget* m_grades = nullptr;
    QComboBox* m_weak = nullptr;
    QLabel* m_problem = nullptr;
    QLabel* m_status = nullptr;
    KeyTableSection* m_keyTable = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_removeGrade = nullptr;
};
