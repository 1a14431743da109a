// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyEditor.h"

#include "grading/KeyPresets.h"
#include "grading/OwnKeyList.h"
#include "settings/KeyFile.h"
#include "settings/modSpecialFolder.h"
#include "window/KeyTableSection.h"
#include "window/MessageText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString title = QStringLiteral("Notenschlüssel bearbeiten");

QLabel* labelFor(QWidget* control, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    return label;
}

} // namespace

KeyEditor::KeyEditor(settings::KeyStore& keys, const QString& maximumText, const QString& keyText,
                     const QLocale& locale, QWidget* parent)
    : QDialog(parent), m_keyStore(keys), m_keyText(keyText), m_locale(locale),
      m_presets(grading::keyPresets(keys.keys())) {
    setWindowTitle(title);
    setModal(true);
    if (parent != nullptr) {
        setFont(parent->font());
    }
    // Read anew, so that a file changed since start-up is what the teacher edits.
    m_keyStore.reload();

    createControls(maximumText);
    listKeys({});
    startNew();
    // Tall enough for a key of sixteen grades without scrolling where the screen allows; on a
    // small screen, or at a large scale, the tables scroll and every button stays in reach.
    auto rows = [&](int count) {
        return m_grades->verticalHeader()->sectionSize(0) * count +
               m_grades->horizontalHeader()->height() + 2 * m_grades->frameWidth();
    };
    m_grades->setMinimumHeight(rows(4));
    const QSize available = screen()->availableGeometry().size() * 0.9;
    resize((sizeHint() + QSize(0, rows(16) - rows(4))).boundedTo(available));
    m_preset->setFocus();
}

void KeyEditor::createControls(const QString& maximumText) {
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Notenschlüssel"));
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        if (!m_filling) {
            showChosenKey();
        }
    });

    m_preset = new QComboBox(this);
    for (const grading::GradingKey& preset : m_presets) {
        m_preset->addItem(preset.name);
    }
    connect(m_preset, &QComboBox::activated, this, &KeyEditor::choosePreset);
    m_name = new QLineEdit(this);
    m_name->setAccessibleName(QStringLiteral("Name"));
    m_name->setMaxLength(40); // room to type past the rule's 20 and be told so
    connect(m_name, &QLineEdit::textEdited, this, &KeyEditor::formChanged);

    m_grades = new QTableWidget(0, 3, this);
    m_grades->setAccessibleName(QStringLiteral("Noten"));
    m_grades->setHorizontalHeaderLabels(
        {QStringLiteral("Note"), QStringLiteral("ab %"), QStringLiteral("Wert")});
    m_grades->verticalHeader()->setVisible(false);
    m_grades->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grades->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grades->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grades->setTabKeyNavigation(false); // Tab leaves the table, the arrows move in it
    connect(m_grades, &QTableWidget::itemChanged, this, [this] {
        if (!m_filling) {
            formChanged();
        }
    });
    auto* insert = new QPushButton(QStringLiteral("Note ein&fügen"), this);
    connect(insert, &QPushButton::clicked, this, &KeyEditor::insertGrade);
    m_removeGrade = new QPushButton(QStringLiteral("Note en&tfernen"), this);
    connect(m_removeGrade, &QPushButton::clicked, this, &KeyEditor::removeGrade);

    m_weak = new QComboBox(this);
    connect(m_weak, &QComboBox::activated, this, [this](int index) {
        const QVariant row = m_weak->itemData(index);
        m_weakRow = row.isValid() ? std::optional<std::size_t>(row.toULongLong()) : std::nullopt;
        formChanged();
    });
    m_problem = new QLabel(this);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00020"));
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    // Room enough that nothing moves when a problem or a report appears.
    m_problem->setMinimumHeight(3 * fontMetrics().lineSpacing());
    m_status->setMinimumHeight(fontMetrics().lineSpacing());

    m_keyTable =
        new KeyTableSection(maximumText, std::make_shared<grading::GradingKey>(m_presets[0]),
                            m_locale, this, KeyTableSection::Copy::None);

    auto* buttons = new QDialogButtonBox(this);
    auto* fresh = buttons->addButton(QStringLiteral("&Neu"), QDialogButtonBox::ActionRole);
    connect(fresh, &QPushButton::clicked, this, [this] {
        if (mayLeave()) {
            startNew();
            m_name->setFocus();
        }
    });
    m_delete = buttons->addButton(QStringLiteral("Lös&chen"), QDialogButtonBox::ActionRole);
    connect(m_delete, &QPushButton::clicked, this, &KeyEditor::remove);
    auto* save = buttons->addButton(QStringLiteral("&Speichern"), QDialogButtonBox::ActionRole);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &KeyEditor::save);
    auto* import =
        buttons->addButton(QStringLiteral("&Importieren..."), QDialogButtonBox::ActionRole);
    connect(import, &QPushButton::clicked, this, &KeyEditor::importKeys);
    m_export = buttons->addButton(QStringLiteral("E&xportieren..."), QDialogButtonBox::ActionRole);
    connect(m_export, &QPushButton::clicked, this, &KeyEditor::exportKey);
    // Deleting and exporting concern the key chosen in the list.
    for (QPushButton* button : {m_delete, m_export}) {
        button->setEnabled(false);
        connect(m_list, &QListWidget::currentRowChanged, button,
                [button](int row) { button->setEnabled(row >= 0); });
    }
    auto* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* keys = new QVBoxLayout;
    keys->addWidget(labelFor(m_list, QStringLiteral("Notensch&lüssel"), this));
    keys->addWidget(m_list, 1);

    auto* fields = new QFormLayout;
    fields->addRow(labelFor(m_preset, QStringLiteral("&Vorlage"), this), m_preset);
    fields->addRow(labelFor(m_name, QStringLiteral("N&ame"), this), m_name);
    auto* gradeButtons = new QHBoxLayout;
    gradeButtons->addWidget(insert);
    gradeButtons->addWidget(m_removeGrade);
    gradeButtons->addStretch();
    auto* edit = new QVBoxLayout;
    edit->addLayout(fields);
    edit->addWidget(labelFor(m_grades, QStringLiteral("N&oten"), this));
    edit->addWidget(m_grades, 1);
    edit->addLayout(gradeButtons);
    auto* weak = new QFormLayout;
    weak->addRow(labelFor(m_weak, QStringLiteral("sch&wach ab"), this), m_weak);
    edit->addLayout(weak);
    edit->addWidget(m_problem);

    auto* content = new QHBoxLayout;
    content->addLayout(keys, 2);
    content->addSpacing(12);
    content->addLayout(edit, 3);
    content->addSpacing(12);
    auto* keyTable = new QScrollArea(this);
    keyTable->setWidget(m_keyTable);
    keyTable->setWidgetResizable(true);
    keyTable->setFrameShape(QFrame::NoFrame);
    keyTable->setMinimumWidth(m_keyTable->sizeHint().width() +
                              keyTable->verticalScrollBar()->sizeHint().width());
    content->addWidget(keyTable, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    QWidget* const tabOrder[] = {m_list, m_preset, m_name, m_grades, insert, m_removeGrade, m_weak};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void KeyEditor::listKeys(const QString& chosen) {
    m_filling = true;
    m_list->clear();
    for (const grading::GradingKey& key : own()) {
        m_list->addItem(key.name);
        if (key.name == chosen) {
            m_list->setCurrentRow(m_list->count() - 1);
        }
    }
    if (chosen.isEmpty()) {
        m_list->setCurrentRow(-1);
    }
    m_filling = false;
}

void KeyEditor::showForm(const grading::KeyForm& form) {
    m_filling = true;
    m_name->setText(form.name);
    m_grades->setRowCount(static_cast<int>(form.rows.size()));
    for (int row = 0; row < m_grades->rowCount(); ++row) {
        const grading::KeyFormRow& cells = form.rows[static_cast<std::size_t>(row)];
        const QString texts[] = {cells.grade, cells.from, cells.value};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column > 0) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            m_grades->setItem(row, column, item);
        }
    }
    m_weakRow = form.firstWeak;
    m_filling = false;
    formChanged();
}

grading::KeyForm KeyEditor::form() const {
    grading::KeyForm form{m_name->text(), {}, m_weakRow};
    for (int row = 0; row < m_grades->rowCount(); ++row) {
        auto text = [&](int column) {
            const QTableWidgetItem* item = m_grades->item(row, column);
            return item != nullptr ? item->text() : QString();
        };
        form.rows.push_back({text(0), text(1), text(2)});
    }
    return form;
}

// Each edit checks the key anew: the first broken rule stands under the table, and the key
// table follows the grades as soon as they make a key.
void KeyEditor::formChanged() {
    fillWeakChoice();
    const grading::KeyForm current = form();
    grading::FormCheck grades = grading::checkGrades(current, m_locale);
    // A name not yet typed is no news; it is asked for when the key is saved.
    m_problem->setText(!grades.key              ? grades.problem
                       : current.name.isEmpty() ? QString()
                                                : grading::whyNotAFormName(current.name));
    m_keyTable->setEnabled(grades.key.has_value());
    if (grades.key) {
        if (grades.key->name.isEmpty()) {
            grades.key->name = QStringLiteral("neu");
        }
        m_keyTable->setKey(std::make_shared<const grading::GradingKey>(std::move(*grades.key)));
    }
    m_removeGrade->setEnabled(m_grades->rowCount() > 0);
}

void KeyEditor::fillWeakChoice() {
    m_weak->clear();
    bool weakShown = false;
    for (int row = 0; row < m_grades->rowCount(); ++row) {
        const QTableWidgetItem* grade = m_grades->item(row, 0);
        if (grade != nullptr && !grade->text().trimmed().isEmpty()) {
            m_weak->addItem(grade->text(), row);
            if (m_weakRow == static_cast<std::size_t>(row)) {
                m_weak->setCurrentIndex(m_weak->count() - 1);
                weakShown = true;
            }
        }
    }
    m_weak->addItem(QStringLiteral("keine"));
    if (!weakShown) {
        m_weakRow.reset();
        m_weak->setCurrentIndex(m_weak->count() - 1);
    }
}

void KeyEditor::choosePreset(int preset) {
    grading::KeyForm chosen =
        grading::formFromKey(m_presets[static_cast<std::size_t>(preset)], m_locale);
    chosen.name = m_name->text();
    const bool untouched = !m_seen && form().name.isEmpty();
    showForm(chosen);
    if (untouched) {
        m_unchanged = form();
    }
}

void KeyEditor::insertGrade() {
    const int row = m_grades->currentRow() >= 0 ? m_grades->currentRow() + 1 : m_grades->rowCount();
    m_grades->insertRow(row);
    if (m_weakRow && *m_weakRow >= static_cast<std::size_t>(row)) {
        ++*m_weakRow;
    }
    formChanged();
    m_grades->setCurrentCell(row, 0);
    m_grades->setFocus();
}

void KeyEditor::removeGrade() {
    const int row = m_grades->currentRow() >= 0 ? m_grades->currentRow() : m_grades->rowCount() - 1;
    if (row < 0) {
        return;
    }
    m_grades->removeRow(row);
    if (m_weakRow == static_cast<std::size_t>(row)) {
        m_weakRow.reset();
    } else if (m_weakRow && *m_weakRow > static_cast<std::size_t>(row)) {
        --*m_weakRow;
    }
    formChanged();
}

void KeyEditor::startNew() {
    m_seen.reset();
    listKeys({});
    grading::KeyForm fresh = grading::formFromKey(
        m_presets[static_cast<std::size_t>(m_preset->currentIndex())], m_locale);
    fresh.name.clear();
    showForm(fresh);
    m_unchanged = form();
}

void KeyEditor::showChosenKey() {
    const int row = m_list->currentRow();
    if (row < 0 || editing() == own()[static_cast<std::size_t>(row)].name) {
        return;
    }
    if (!mayLeave()) {
        listKeys(editing().value_or(QString()));
        return;
    }
    const grading::GradingKey key = own()[static_cast<std::size_t>(row)];
    m_seen = key;
    showForm(grading::formFromKey(key, m_locale));
    m_unchanged = form();
    m_status->clear();
}

std::vector<grading::GradingKey> KeyEditor::own() const {
    return m_keyStore.keys().own();
}

std::optional<QString> KeyEditor::editing() const {
    return m_seen ? std::optional(m_seen->name) : std::nullopt;
}

void KeyEditor::commitOpenCell() {
    // The table holds no widgets of its own: a widget at the current cell is its editor.
    if (QWidget* cell = m_grades->indexWidget(m_grades->currentIndex()); cell != nullptr) {
        // The view's own end of an edit, as when the cell loses the focus.
        QMetaObject::invokeMethod(m_grades, "commitData", Q_ARG(QWidget*, cell));
        QMetaObject::invokeMethod(
            m_grades, "closeEditor", Q_ARG(QWidget*, cell),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

std::optional<grading::GradingKey> KeyEditor::checkedForm(const QString& notDone) {
    commitOpenCell();
    const grading::FormCheck check = grading::checkKeyForm(form(), m_locale);
    if (!check.key) {
        say(QMessageBox::Warning, notDone + QStringLiteral(":\n\n") + check.problem);
        if (check.row >= 0) {
            m_grades->setCurrentCell(check.row, check.column);
            m_grades->setFocus();
        } else {
            m_name->setFocus();
            m_name->selectAll();
        }
    }
    return check.key;
}

bool KeyEditor::mayLeave() {
    commitOpenCell();
    if (form() == m_unchanged) {
        return true;
    }
    const QString name = m_name->text().isEmpty() ? QStringLiteral("den neuen Notenschlüssel")
                                                  : QStringLiteral("„%1“").arg(m_name->text());
    return say(QMessageBox::Question,
               QStringLiteral("Die Änderungen an %1 sind nicht gespeichert. Verwerfen?").arg(name),
               QMessageBox::Discard | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Discard;
}

void KeyEditor::done(int result) {
    if (mayLeave()) {
        QDialog::done(result);
    }
}

void KeyEditor::save() {
    const std::optional<grading::GradingKey> checked =
        checkedForm(QStringLiteral("Der Notenschlüssel wurde nicht gespeichert"));
    if (!checked) {
        return;
    }
    const grading::GradingKey& key = *checked;
    const std::optional<QString> editing = this->editing();
    std::optional<QString> replaced = grading::otherKeyNamed(own(), editing, key.name);
    if (replaced && !mayReplace(*replaced)) {
        return;
    }
    if (!write(m_seen, QStringLiteral("Mit dieser Fassung überschreiben?"),
               QStringLiteral("Überschreiben"),
               [&](settings::KeyFileText& file, const std::vector<grading::GradingKey>& onDisk) {
                   // A key of its name that was written elsewhere in the meantime is asked
                   // about as well.
                   const auto other = grading::otherKeyNamed(onDisk, editing, key.name);
                   if (other && other != replaced) {
                       if (!mayReplace(*other)) {
                           return false;
                       }
                       replaced = other;
                   }
                   file.putKey(editing.value_or(key.name), key);
                   return true;
               })) {
        return;
    }
    m_seen = key;
    // The main window's key goes along with a rename.
    const bool keyTextRenamed = editing == m_keyText && key.name != m_keyText;
    if (keyTextRenamed) {
        m_keyText = key.name;
    }
    listKeys(key.name);
    m_unchanged = form();
    m_status->setText(m_status->text() + QStringLiteral("„%1“ ist gespeichert.").arg(key.name) +
                      (keyTextRenamed
                           ? QStringLiteral(" Im Hauptfenster ist er unter diesem Namen gewählt.")
                           : QString()));
}

bool KeyEditor::mayReplace(const QString& other) {
    return say(QMessageBox::Question,
               QStringLiteral("Einen Notenschlüssel „%1“ gibt es schon. Soll er durch diesen "
                              "ersetzt werden?")
                   .arg(other),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QString KeyEditor::keyTextGradesAsGym() const {
    return QStringLiteral(
               "Im Hauptfenster ist „%1“ als Schlüssel gewählt; der Schlüssel bleibt dort "
               "stehen, und es wird danach nach GYM benotet.")
        .arg(m_keyText);
}

void KeyEditor::remove() {
    const int row = m_list->currentRow();
    if (row < 0) {
        return;
    }
    const QString name = own()[static_cast<std::size_t>(row)].name;
    QString question = QStringLiteral("Den Notenschlüssel „%1“ löschen?").arg(name);
    const bool inForce = name == m_keyText;
    if (inForce) {
        question += QStringLiteral("\n\n") + keyTextGradesAsGym();
    }
    if (say(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes) {
        return;
    }
    const auto seen = m_seen && m_seen->name == name ? m_seen : grading::keyNamed(own(), name);
    if (!write(seen, QStringLiteral("Trotzdem löschen?"), QStringLiteral("Löschen"),
               [&](settings::KeyFileText& file, const std::vector<grading::GradingKey>&) {
                   file.removeKey(name);
                   return true;
               })) {
        return;
    }
    // What was deleted stays in the form as a new key: "Speichern" brings it back.
    m_seen.reset();
    listKeys({});
    m_unchanged = form();
    m_status->setText(m_status->text() + QStringLiteral("„%1“ ist gelöscht.").arg(name) +
                      (inForce ? u' ' + keyTextGradesAsGym() : QString()));
}

bool KeyEditor::write(const std::optional<grading::GradingKey>& seen, const QString& stillWrite,
                      const QString& writeButton, const settings::KeyStore::Change& change) {
    m_status->clear();
    // Where the file holds the key otherwise than it was shown, the teacher decides, once for
    // each version found there.
    std::optional<std::optional<grading::GradingKey>> overwritten;
    const settings::KeyStore::Written written = m_keyStore.write(
        [&](settings::KeyFileText& file, const std::vector<grading::GradingKey>& onDisk) {
            if (seen) {
                const auto now = grading::keyNamed(onDisk, seen->name);
                if (now != seen && overwritten != now) {
                    if (!overwriteChanged(seen->name, stillWrite, writeButton)) {
                        return false;
                    }
                    overwritten = now;
                }
            }
            return change(file, onDisk);
        });
    if (!written.problem.isEmpty()) {
        say(QMessageBox::Critical, withLineBreaks(written.problem));
    }
    if (!written.copy.isEmpty()) {
        m_status->setText(QStringLiteral("Die bisherige Datei steht als „%1“ daneben; die "
                                         "Notenschlüssel-Datei ist jetzt in UTF-8 geschrieben. ")
                              .arg(QFileInfo(written.copy).fileName()));
    }
    return written.done;
}

bool KeyEditor::overwriteChanged(const QString& name, const QString& stillWrite,
                                 const QString& writeButton) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Notenschlüssel"),
                    QStringLiteral("„%1“ wurde inzwischen außerhalb dieses Fensters geändert. %2")
                        .arg(name, stillWrite),
                    QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    auto* write = box.addButton(writeButton, QMessageBox::AcceptRole);
    auto* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == write;
}

void KeyEditor::importKeys() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Notenschlüssel importieren"), GetSpecialFolder(CSIDL_PERSONAL),
        QStringLiteral("Notenschlüssel (*.txt);;Alle Dateien (*)"));
    if (path.isEmpty()) {
        return;
    }
    const settings::KeyFileLoad loaded = settings::loadKeyFile(path);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (loaded.status == settings::KeyFileLoad::Status::Damaged) {
        say(QMessageBox::Warning,
            QStringLiteral("Die Datei „%1“ konnte nicht ganz gelesen werden:\n\n%2\n\n%3")
                .arg(shownPath, withLineBreaks(loaded.problems),
                     loaded.keys.empty()
                         ? QStringLiteral("Sie enthält keinen gültigen Notenschlüssel.")
                         : QStringLiteral("Nur die gültigen Notenschlüssel werden importiert.")));
    } else if (loaded.keys.empty()) {
        say(QMessageBox::Warning,
            QStringLiteral("Die Datei „%1“ enthält keinen Notenschlüssel.").arg(shownPath));
    }
    m_keyStore.reload();
    const grading::Imported imported =
        grading::importKeys(own(), loaded.keys, [this](const grading::GradingKey& existing) {
            QMessageBox box(QMessageBox::Question, title,
                            QStringLiteral("Einen Notenschlüssel „%1“ gibt es schon. Soll der aus "
                                           "der Datei ihn ersetzen, sollen beide bleiben (der "
                                           "neue unter einem anderen Namen), oder soll er "
                                           "übersprungen werden?")
                                .arg(existing.name),
                            QMessageBox::NoButton, this);
            box.setTextFormat(Qt::PlainText);
            auto* replace = box.addButton(QStringLiteral("&Ersetzen"), QMessageBox::AcceptRole);
            auto* both = box.addButton(QStringLiteral("&Beide behalten"), QMessageBox::AcceptRole);
            auto* skip = box.addButton(QStringLiteral("Ü&berspringen"), QMessageBox::RejectRole);
            box.setDefaultButton(skip);
            box.setEscapeButton(skip);
            box.exec();
            return box.clickedButton() == replace ? grading::OnClash::Replace
                   : box.clickedButton() == both  ? grading::OnClash::KeepBoth
                                                  : grading::OnClash::Skip;
        });
    // Only the keys that came in are written; what the file holds besides stays.
    const bool written =
        !imported.added.isEmpty() &&
        write({}, {}, {},
              [&](settings::KeyFileText& file, const std::vector<grading::GradingKey>&) {
                  for (const QString& name : imported.added) {
                      file.putKey(name, *grading::keyNamed(imported.keys, name));
                  }
                  return true;
              });
    listKeys(editing().value_or(QString()));
    if (!written) {
        return;
    }
    m_status->setText(
        m_status->text() +
        QStringLiteral("Importiert: „%1“.").arg(imported.added.join(QStringLiteral("“, „"))));
}

void KeyEditor::exportKey() {
    // The key as the form shows it, saved or not.
    const std::optional<grading::GradingKey> shown =
        checkedForm(QStringLiteral("Der Notenschlüssel wurde nicht exportiert"));
    if (!shown) {
        return;
    }
    const grading::GradingKey& key = *shown;
    // Characters that no Windows file name may carry.
    QString fileName = key.name;
    fileName.replace(QRegularExpression(QStringLiteral("[\\\\/:*?<>|]")), QStringLiteral("-"));
    QFileDialog dialog(this, QStringLiteral("Notenschlüssel exportieren"),
                       GetSpecialFolder(CSIDL_PERSONAL), QStringLiteral("Notenschlüssel (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(fileName + QStringLiteral(".txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (const QString problem = settings::saveKeyFile(
            path, {key}, QStringLiteral("Der Notenschlüssel wurde nicht exportiert."));
        !problem.isEmpty()) {
        say(QMessageBox::Critical, withLineBreaks(problem));
        return;
    }
    m_status->setText(QStringLiteral("„%1“ ist exportiert nach „%2“.")
                          .arg(key.name, QDir::toNativeSeparators(path)));
}

QMessageBox::StandardButton KeyEditor::say(QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton preset) {
    QMessageBox box(icon, title, text, buttons, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(preset);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
