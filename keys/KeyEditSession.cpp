// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/KeyEditSession.h"

#include "grading/Decimal.h"
#include "grading/KeyRules.h"
#include "keys/KeyPresets.h"
#include "settings/KeyFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <map>

namespace keys {

using grading::GradingKey;

KeyEditSession::KeyEditSession(settings::KeyStore& store, const QString& keyText,
                               const QLocale& locale, Questions& questions)
    : m_store(store), m_keyText(keyText), m_locale(locale), m_questions(questions),
      m_presets(keyPresets(store.keys())) {
    // Read anew, so that a file changed since start-up is what the teacher edits.
    m_store.reload();
    startNew(0);
    // The key in use, where it is one of the teacher's: that is the key she came to change. Only
    // as the window names it, which grades by the exact name.
    if (const std::optional<GradingKey> inUse = keyNamed(own(), keyText);
        inUse && inUse->name == keyText) {
        open(keyText);
    }
}

std::optional<QString> KeyEditSession::editing() const {
    return m_seen ? std::optional(m_seen->name) : std::nullopt;
}

KeyForm KeyEditSession::form() const {
    return {m_name, m_rows.rows(), m_rows.firstWeak(), m_approval, m_rows.scale()};
}

KeyEditSession::Live KeyEditSession::live() const {
    const KeyForm current = form();
    FormCheck grades = checkGrades(current, m_locale);
    // A name not yet typed is no news; it is asked for when the key is saved.
    Live live{!grades.key              ? grades.problem
              : current.name.isEmpty() ? QString()
                                       : whyNotAFormName(current.name),
              std::move(grades.key)};
    if (live.key && live.key->name.isEmpty()) {
        live.key->name = QStringLiteral("neu");
    }
    return live;
}

bool KeyEditSession::mayLeave() {
    if (!changed()) {
        return true;
    }
    const QString name = m_name.isEmpty() ? QStringLiteral("den neuen Notenschlüssel")
                                          : QStringLiteral("„%1“").arg(m_name);
    return m_questions.discard(
        QStringLiteral("Die Änderungen an %1 sind nicht gespeichert. Verwerfen?").arg(name));
}

void KeyEditSession::showForm(const KeyForm& form) {
    m_name = form.name;
    m_rows.show(form.rows, form.firstWeak);
    m_rows.setScale(form.scale);
    m_approval = form.approval;
}

QString KeyEditSession::spreadFrom(std::size_t row, qint64 hundredths) {
    const std::vector<std::size_t> graded = m_rows.gradedRows();
    const auto bend = std::find(graded.begin(), graded.end(), row);
    if (bend == graded.end() || bend + 1 == graded.end()) {
        return {}; // the last grade starts at 0 and bends nothing
    }
    const std::vector<std::optional<qint64>> bounds = boundsFromBend(
        graded.size(), {static_cast<std::size_t>(bend - graded.begin()), hundredths});
    // The last grade starts at 0, where no bound is.
    for (std::size_t grade = 1; grade < graded.size(); ++grade) {
        if (bounds[grade].value_or(0) == bounds[grade - 1].value_or(0)) {
            return QStringLiteral("Die Noten „%1“ und „%2“ bekämen dieselbe Grenze. Bitte einen "
                                  "anderen Knick wählen.")
                .arg(m_rows.gradeName(graded[grade - 1]), m_rows.gradeName(graded[grade]));
        }
    }
    std::vector<QString> texts;
    for (const KeyFormRow& shown : m_rows.rows()) {
        texts.push_back(shown.bound);
    }
    for (std::size_t grade = 0; grade < graded.size(); ++grade) {
        texts[graded[grade]] = bounds[grade] ? grading::decimalText(*bounds[grade], 2, m_locale,
                                                                    grading::Zeros::Dropped)
                                             : QString();
    }
    m_rows.setColumn(GradeRows::Bound, texts);
    return {};
}

void KeyEditSession::startNew(std::size_t preset) {
    m_seen.reset();
    KeyForm fresh = formFromKey(m_presets.at(preset), m_locale);
    fresh.name.clear();
    showForm(fresh);
    m_unchanged = form();
}

void KeyEditSession::takePreset(std::size_t preset) {
    KeyForm chosen = formFromKey(m_presets.at(preset), m_locale);
    chosen.name = m_name;
    // Before anything is typed, another preset is another starting point, not a change.
    const bool untouched = !m_seen && m_name.isEmpty();
    showForm(chosen);
    if (untouched) {
        m_unchanged = form();
    }
}

void KeyEditSession::open(const QString& name) {
    if (const std::optional<GradingKey> key = keyNamed(own(), name)) {
        m_seen = key;
        showForm(formFromKey(*key, m_locale));
        m_unchanged = form();
    }
}

KeyEditSession::Outcome KeyEditSession::save() {
    const FormCheck check = this->check();
    if (!check.key) {
        return {false, check, {}, {}};
    }
    const GradingKey& key = *check.key;
    const std::optional<QString> editing = this->editing();
    std::optional<QString> replaced = otherKeyNamed(own(), editing, key.name);
    if (replaced && !mayReplace(*replaced)) {
        return {};
    }
    Outcome outcome =
        write(m_seen, Deed::Save,
              [&](settings::KeyFileText& file, const std::vector<GradingKey>& onDisk) {
                  // A key of its name that was written elsewhere in the meantime is asked about
                  // as well.
                  const auto other = otherKeyNamed(onDisk, editing, key.name);
                  if (other && other != replaced) {
                      if (!mayReplace(*other)) {
                          return false;
                      }
                      replaced = other;
                  }
                  file.putKey(editing.value_or(key.name), key);
                  return true;
              });
    if (!outcome.done) {
        return outcome;
    }
    m_seen = key;
    m_unchanged = form();
    // The main window's key goes along with a rename.
    const bool keyTextRenamed = editing == m_keyText && key.name != m_keyText;
    if (keyTextRenamed) {
        m_keyText = key.name;
    }
    outcome.status +=
        QStringLiteral("„%1“ ist gespeichert.").arg(key.name) +
        (keyTextRenamed ? QStringLiteral(" Im Hauptfenster ist er unter diesem Namen gewählt.")
                        : QString());
    return outcome;
}

bool KeyEditSession::mayReplace(const QString& other) {
    return m_questions.yes(QStringLiteral("Einen Notenschlüssel „%1“ gibt es schon. Soll er durch "
                                          "diesen ersetzt werden?")
                               .arg(other));
}

QString KeyEditSession::keyTextGradesAsGym() const {
    return QStringLiteral(
               "Im Hauptfenster ist „%1“ als Schlüssel gewählt; der Schlüssel bleibt dort "
               "stehen, und es wird danach nach %2 benotet.")
        .arg(m_keyText, grading::gymName());
}

KeyEditSession::Outcome KeyEditSession::remove(const QString& name) {
    QString question = QStringLiteral("Den Notenschlüssel „%1“ löschen?").arg(name);
    const bool inForce = name == m_keyText;
    if (inForce) {
        question += QStringLiteral("\n\n") + keyTextGradesAsGym();
    }
    if (!m_questions.yes(question)) {
        return {};
    }
    const bool shown = m_seen && m_seen->name == name;
    Outcome outcome = write(shown ? m_seen : keyNamed(own(), name), Deed::Delete,
                            [&](settings::KeyFileText& file, const std::vector<GradingKey>&) {
                                file.removeKey(name);
                                return true;
                            });
    if (!outcome.done) {
        return outcome;
    }
    if (shown) {
        // What was deleted stays in the form as a new key: "Speichern" brings it back.
        m_seen.reset();
        m_unchanged = form();
    }
    outcome.status += QStringLiteral("„%1“ ist gelöscht.").arg(name) +
                      (inForce ? u' ' + keyTextGradesAsGym() : QString());
    return outcome;
}

KeyEditSession::Outcome KeyEditSession::importKeys(std::vector<GradingKey> incoming) {
    m_store.reload();
    const bool any = !incoming.empty();
    // Each clash is asked about once, inside the write, with the key as it stood then; a key that
    // another program changes while a question stands open is asked about again, as a save does.
    struct Answer {
        GradingKey seen;
        OnClash choice;
    };
    std::map<QString, Answer> answers; // by the name in lower case
    // The name given to a key kept beside its namesake, none where it was skipped, by the key's
    // name in lower case: a write made again asks only where the name given is taken by now.
    std::map<QString, std::optional<QString>> given;
    const AskName nameFor = [&](const GradingKey& key, const QString& proposal,
                                const QStringList& taken) {
        const auto [name, first] = given.try_emplace(key.name.toLower(), proposal);
        if (first) {
            name->second = askName(key, proposal, {}, taken);
        } else if (name->second) {
            if (QString refusal = grading::whyNotAKeyName(*name->second, taken);
                !refusal.isEmpty()) {
                name->second = askName(key, *name->second, refusal, taken);
            }
        }
        return name->second;
    };
    Imported imported;
    Outcome outcome = write(
        {}, Deed::Save, [&](settings::KeyFileText& file, const std::vector<GradingKey>& onDisk) {
            bool calledOff = false;
            imported = keys::importKeys(
                onDisk, incoming,
                [&](const GradingKey& existing) {
                    const auto [answer, first] = answers.try_emplace(
                        existing.name.toLower(), Answer{existing, OnClash::Skip});
                    if (first) {
                        answer->second.choice = m_questions.onClash(
                            QStringLiteral(
                                "Einen Notenschlüssel „%1“ gibt es schon. Soll der aus der "
                                "Datei ihn ersetzen, sollen beide bleiben (der neue unter "
                                "einem anderen Namen), oder soll er übersprungen werden?")
                                .arg(existing.name));
                    } else if (answer->second.choice == OnClash::Replace &&
                               answer->second.seen != existing) {
                        calledOff =
                            calledOff || !mayOverwrite(answer->second.seen, existing, Deed::Save);
                        answer->second.seen = existing;
                    }
                    return answer->second.choice;
                },
                nameFor);
            if (calledOff || imported.added.isEmpty()) {
                return false;
            }
            // Only the keys that came in are written; what the file holds besides stays.
            for (const QString& name : imported.added) {
                file.putKey(name, *keyNamed(imported.keys, name));
            }
            return true;
        });
    if (!outcome.done) {
        if (outcome.failure.isEmpty()) {
            outcome.status = any ? QStringLiteral("Kein Notenschlüssel importiert.") : QString();
        }
        return outcome;
    }
    outcome.status +=
        QStringLiteral("Importiert: „%1“.").arg(imported.added.join(QStringLiteral("“, „")));
    // The key shown, replaced by the import and not changed here, shows as it came in.
    if (m_seen && !changed()) {
        if (const auto now = keyNamed(own(), m_seen->name); now && now != m_seen) {
            open(now->name);
        }
    }
    return outcome;
}

std::optional<QString> KeyEditSession::askName(const GradingKey& key, QString shown,
                                               QString refusal, const QStringList& taken) {
    const QString question =
        QStringLiteral("„%1“ aus der Datei bleibt neben dem eigenen Notenschlüssel und braucht "
                       "einen anderen Namen: Mit einer Nummer wäre er länger als %2 Zeichen. "
                       "Unter welchem Namen soll er bleiben?")
            .arg(key.name)
            .arg(grading::longestKeyName);
    for (;;) {
        const std::optional<QString> name = m_questions.keyName(
            refusal.isEmpty() ? question : refusal + QStringLiteral("\n\n") + question, shown);
        if (!name) {
            return std::nullopt;
        }
        refusal = grading::whyNotAKeyName(*name, taken);
        if (refusal.isEmpty()) {
            return name;
        }
        shown = *name;
    }
}

KeyEditSession::Outcome KeyEditSession::exportTo(const QString& path) {
    const FormCheck check = this->check();
    if (!check.key) {
        return {false, check, {}, {}};
    }
    if (QString failure = settings::saveKeyFile(
            path, {*check.key}, QStringLiteral("Der Notenschlüssel wurde nicht exportiert."));
        !failure.isEmpty()) {
        return {false, {}, std::move(failure), {}};
    }
    return {true,
            {},
            {},
            QStringLiteral("„%1“ ist exportiert nach „%2“.")
                .arg(check.key->name, QDir::toNativeSeparators(path))};
}

bool KeyEditSession::mayOverwrite(const GradingKey& seen, const std::optional<GradingKey>& now,
                                  Deed deed) {
    const QString outside =
        QStringLiteral("„%1“ wurde inzwischen außerhalb dieses Fensters %2. ")
            .arg(seen.name, now ? QStringLiteral("geändert") : QStringLiteral("gelöscht"));
    if (deed == Deed::Delete) {
        // A key gone already is not asked about a second time.
        return !now || m_questions.overwrite(outside + QStringLiteral("Trotzdem löschen?"),
                                             QStringLiteral("Löschen"));
    }
    return now ? m_questions.overwrite(outside +
                                           QStringLiteral("Mit dieser Fassung überschreiben?"),
                                       QStringLiteral("Überschreiben"))
               : m_questions.overwrite(outside + QStringLiteral("Wieder speichern?"),
                                       QStringLiteral("Speichern"));
}

KeyEditSession::Outcome KeyEditSession::write(const std::optional<GradingKey>& seen, Deed deed,
                                              const settings::KeyStore::Change& change) {
    // Where the file holds the key otherwise than it was shown, the teacher decides, once for
    // each version found there.
    bool asked = false;
    std::optional<GradingKey> answered;
    const settings::KeyStore::Written written =
        m_store.write([&](settings::KeyFileText& file, const std::vector<GradingKey>& onDisk) {
            if (seen) {
                const auto now = keyNamed(onDisk, seen->name);
                if (now != seen && !(asked && answered == now)) {
                    if (!mayOverwrite(*seen, now, deed)) {
                        return false;
                    }
                    asked = true;
                    answered = now;
                }
            }
            return change(file, onDisk);
        });
    Outcome outcome{written.done, {}, written.problem, {}};
    if (!written.copy.isEmpty()) {
        outcome.status = QStringLiteral("Die bisherige Datei steht als „%1“ daneben; die "
                                        "Notenschlüssel-Datei ist jetzt in UTF-8 geschrieben. ")
                             .arg(QFileInfo(written.copy).fileName());
    }
    return outcome;
}

} // namespace keys
