// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keys/Bend.h"
#include "keys/GradeRows.h"
#include "keys/KeyForm.h"
#include "keys/OwnKeyList.h"
#include "settings/KeyStore.h"

#include <QLocale>
#include <optional>
#include <vector>

namespace keys {

// What editing the own keys asks the teacher. The editor asks with message boxes; a test answers
// from a script.
class Questions {
public:
    virtual ~Questions() = default;
    // Yes or no, "no" preset.
    virtual bool yes(const QString& question) = 0;
    // Whether a key changed or deleted on disk since it was shown is written over all the same;
    // `button` does it ("Überschreiben", "Löschen"), "Abbrechen" preset.
    virtual bool overwrite(const QString& question, const QString& button) = 0;
    // Whether changes not saved may go, "Abbrechen" preset.
    virtual bool discard(const QString& question) = 0;
    // What becomes of an imported key whose name a key of the teacher's bears, "skip" preset.
    virtual OnClash onClash(const QString& question) = 0;
    // A name, the proposal shown selected for typing over; none where the teacher cancels.
    virtual std::optional<QString> keyName(const QString& question, const QString& proposal) = 0;
};

// One sitting at the key editor: the key shown in the form, new or an own key, and everything
// done to the own keys from there. Every change goes to the key store, which writes the key file
// at once; the form is not touched by a change that is called off or fails.
class KeyEditSession {
public:
    // `keyText` is the main window's key, which a rename takes along and a deletion leaves without
    // its key. The key file is read anew. The form starts with that key where it is an own key,
    // else as a new key from the first preset.
    KeyEditSession(settings::KeyStore& store, const QString& keyText, const QLocale& locale,
                   Questions& questions);

    const std::vector<grading::GradingKey>& presets() const { return m_presets; }
    // The own keys as their owner holds them, in the file's order.
    std::vector<grading::GradingKey> own() const { return m_store.keys().own(); }
    // The name of the own key shown; none for a new key.
    std::optional<QString> editing() const;
    // The main window's key text, under its new name where the key was renamed.
    const QString& keyText() const { return m_keyText; }

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const std::optional<grading::ApprovalLimit>& approval() const { return m_approval; }
    void setApproval(const std::optional<grading::ApprovalLimit>& limit) { m_approval = limit; }
    grading::Scale scale() const { return m_rows.scale(); }
    void setScale(grading::Scale scale) { m_rows.setScale(scale); }
    GradeRows& rows() { return m_rows; }
    KeyForm form() const;
    // The first rule the form breaks as it is typed, a name not yet typed aside, and the key it
    // makes where its grades keep the rules (named "neu" while it has no name).
    struct Live {
        QString problem;
        std::optional<grading::GradingKey> key;
    };
    Live live() const;
    // The key the form makes, or the first rule it breaks.
    FormCheck check() const { return checkKeyForm(form(), m_locale); }
    bool changed() const { return form() != m_unchanged; }
    // True where the form may be left: unchanged, or its changes discarded when asked.
    bool mayLeave();

    // Writes the bounds a bend at the grade in `row` from `hundredths` spreads into the "ab %"
    // column of the rows the key counts, the last grade's left empty; where two grades would get
    // the same bound, nothing, and the sentence that says so.
    QString spreadFrom(std::size_t row, qint64 hundredths);

    // A new key from a preset, without a name.
    void startNew(std::size_t preset);
    // The grades of a preset, the name kept.
    void takePreset(std::size_t preset);
    // The own key of this name.
    void open(const QString& name);

    struct Outcome {
        bool done = false;
        std::optional<FormCheck> refused; // the rule the form breaks, with its row and column
        QString failure;                  // German, where the key file could not be written
        QString status;                   // German, what was done
    };
    Outcome save();
    // Deletes the own key of this name, once the teacher says yes; the form keeps it as a new key.
    Outcome remove(const QString& name);
    // Adds keys read from another file, asking about every name taken already.
    Outcome importKeys(std::vector<grading::GradingKey> incoming);
    // Writes the key as the form shows it, saved or not, into a file of its own.
    Outcome exportTo(const QString& path);

private:
    void showForm(const KeyForm& form);
    enum class Deed { Save, Delete };
    // Asks for the name of an imported key kept beside its namesake until the teacher gives one
    // the rules take, `shown` first (after `refusal`, where one stands), or cancels.
    std::optional<QString> askName(const grading::GradingKey& key, QString shown, QString refusal,
                                   const QStringList& taken);
    // Changes the key file as it is now; where it holds `seen`, the key as shown, otherwise
    // than it was shown, only once the teacher says so.
    Outcome write(const std::optional<grading::GradingKey>& seen, Deed deed,
                  const settings::KeyStore::Change& change);
    bool mayOverwrite(const grading::GradingKey& seen,
                      const std::optional<grading::GradingKey>& now, Deed deed);
    bool mayReplace(const QString& other);
    QString keyTextGradesAsGym() const;

    settings::KeyStore& m_store;
    QString m_keyText;
    QLocale m_locale;
    Questions& m_questions;
    std::vector<grading::GradingKey> m_presets;
    // The own key shown, as it was read or last saved; none for a new key.
    std::optional<grading::GradingKey> m_seen;
    QString m_name;
    GradeRows m_rows;
    std::optional<grading::ApprovalLimit> m_approval;
    KeyForm m_unchanged; // the form as shown or last saved
};

} // namespace keys
