// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyEditor.h"

#include "grading/MessageTitle.h"
#include "settings/FileName.h"
#include "settings/KeyFile.h"
#include "settings/modSpecialFolder.h"
#include "window/HelpWindow.h"
#include "window/KeyTableSection.h"
#include "window/MessageText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

const QString title = grading::messageTitle(grading::MessageTitle::KeyEditor);

QLabel* labelFor(QWidget* control, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    return label;
}

// Tab in a cell being edited keeps the edit and goes on to the next control, as Tab does
// everywhere in the editor; a cell editor would otherwise open the next cell.
class TabLeavesTheCell : public QStyledItemDelegate {
public:
    explicit TabLeavesTheCell(QAbstractItemView* view) : QStyledItemDelegate(view), m_view(view) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        const auto* key =
            event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
        if (editor == nullptr || key == nullptr ||
            (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)) {
            return QStyledItemDelegate::eventFilter(object, event);
        }
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers());
        QCoreApplication::sendEvent(m_view, &again);
        return true;
    }

private:
    QAbstractItemView* m_view;
};

// Enter in a field does what it names instead of pressing the dialog's default button.
class EnterDoes : public QObject {
public:
    EnterDoes(std::function<void()> deed, QObject* parent)
        : QObject(parent), m_deed(std::move(deed)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        const auto* key =
            event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
        if (key != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            m_deed();
            return true;
        }
        return QObject::eventFilter(object, event);
    }

private:
    std::function<void()> m_deed;
};

} // namespace

KeyEditor::KeyEditor(settings::KeyStore& keys, const QString& maximumText, const QString& keyText,
                     const QLocale& locale, QWidget* parent)
    : QDialog(parent), m_locale(locale), m_session(keys, keyText, locale, *this) {
    setWindowTitle(title);
    setModal(true);
    if (parent != nullptr) {
        setFont(parent->font());
    }
    createControls(maximumText);
    offerHelp(this, HelpSection::Editor);
    m_preset->setCurrentIndex(m_session.editing() ? 0 : 1);
    showForm();
    // Tall enough for a key of sixteen grades without scrolling where the screen allows; on a
    // small screen, or at a large scale, the tables scroll and every button stays in reach.
    auto rows = [&](int count) {
        return m_grades->verticalHeader()->sectionSize(0) * count +
               m_grades->horizontalHeader()->height() + 2 * m_grades->frameWidth();
    };
    m_grades->setMinimumHeight(rows(4));
    const QSize available = screen()->availableGeometry().size() * 0.9;
    resize((sizeHint() + QSize(0, rows(16) - rows(4))).boundedTo(available));
    // On the key in use the list has the focus: an arrow in "Vorlage" would replace its grades.
    (m_session.editing() ? static_cast<QWidget*>(m_list) : m_preset)->setFocus();
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
    // First an empty entry: a saved key shown comes from no preset. Picked, it would leave the
    // form as it is under no preset's name, so it cannot be picked.
    m_preset->addItem(QString());
    qobject_cast<QStandardItemModel*>(m_preset->model())->item(0)->setEnabled(false);
    for (const grading::GradingKey& preset : m_session.presets()) {
        m_preset->addItem(preset.name);
    }
    connect(m_preset, &QComboBox::activated, this, [this](int index) {
        if (index > 0) {
            m_session.takePreset(static_cast<std::size_t>(index - 1));
            showForm();
        }
    });
    m_name = new QLineEdit(this);
    m_name->setAccessibleName(QStringLiteral("Name"));
    m_name->setMaxLength(40); // room to type past the rule's 20 and be told so
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& name) {
        m_session.setName(name);
        formChanged();
    });

    m_grades = new QTableView(this);
    m_grades->setModel(&m_session.rows());
    m_grades->setAccessibleName(QStringLiteral("Noten"));
    m_grades->verticalHeader()->setVisible(false);
    m_grades->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grades->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The bounds' heading ("bis Fehler je 100") stands whole.
    m_grades->horizontalHeader()->setSectionResizeMode(keys::GradeRows::Bound,
                                                       QHeaderView::ResizeToContents);
    m_grades->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table, also from a cell being edited; the arrows move in it.
    m_grades->setTabKeyNavigation(false);
    m_grades->setItemDelegate(new TabLeavesTheCell(m_grades));
    const keys::GradeRows* rows = &m_session.rows();
    // The bend picked stays with its grade when rows come or go above it; it goes with its row.
    connect(rows, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_bendPicked) {
                    m_bendPicked =
                        keys::rowAfterInsert(*m_bendPicked, static_cast<std::size_t>(first),
                                             static_cast<std::size_t>(last - first + 1));
                }
            });
    connect(rows, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_bendPicked) {
                    m_bendPicked =
                        keys::rowAfterRemoval(*m_bendPicked, static_cast<std::size_t>(first),
                                              static_cast<std::size_t>(last - first + 1));
                }
            });
    connect(rows, &QAbstractItemModel::dataChanged, this, &KeyEditor::formChanged);
    connect(rows, &QAbstractItemModel::rowsInserted, this, &KeyEditor::formChanged);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &KeyEditor::formChanged);
    connect(rows, &QAbstractItemModel::modelReset, this, &KeyEditor::formChanged);
    auto* insert = new QPushButton(QStringLiteral("Note ein&fügen"), this);
    connect(insert, &QPushButton::clicked, this, &KeyEditor::insertGrade);
    m_removeGrade = new QPushButton(QStringLiteral("Note en&tfernen"), this);
    connect(m_removeGrade, &QPushButton::clicked, this, &KeyEditor::removeGrade);

    m_weak = new QComboBox(this);
    connect(m_weak, &QComboBox::activated, this, [this](int index) {
        const QVariant row = m_weak->itemData(index);
        m_session.rows().setFirstWeak(row.isValid() ? std::optional(row.value<std::size_t>())
                                                    : std::nullopt);
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

    m_keyTable = new KeyTableSection(
        maximumText, std::make_shared<grading::GradingKey>(m_session.presets().front()), m_locale,
        this, KeyTableSection::Copy::None);

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
    setHelpSection(import, HelpSection::ImportExport);
    setHelpSection(m_export, HelpSection::ImportExport);
    // Deleting concerns the key chosen in the list; exporting writes the form, saved or not.
    m_delete->setEnabled(false);
    connect(m_list, &QListWidget::currentRowChanged, m_delete,
            [this](int row) { m_delete->setEnabled(row >= 0); });
    auto* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* keys = new QVBoxLayout;
    keys->addWidget(labelFor(m_list, QStringLiteral("Notensch&lüssel"), this));
    keys->addWidget(m_list, 1);

    auto* fields = new QFormLayout;
    fields->addRow(labelFor(m_preset, QStringLiteral("&Vorlage"), this), m_preset);
    fields->addRow(labelFor(m_name, QStringLiteral("N&ame"), this), m_name);
    m_scale = new QComboBox(this);
    for (grading::Scale scale : grading::allScales) {
        m_scale->addItem(grading::scaleName(scale), static_cast<int>(scale));
    }
    connect(m_scale, &QComboBox::activated, this, [this](int index) {
        m_session.setScale(static_cast<grading::Scale>(m_scale->itemData(index).toInt()));
        formChanged();
    });
    fields->addRow(labelFor(m_scale, QStringLiteral("S&kala"), this), m_scale);
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
    m_bend = new QComboBox(this);
    m_bend->setAccessibleName(QStringLiteral("Knick bei Note"));
    connect(m_bend, &QComboBox::activated, this, [this](int index) {
        m_bendPicked = m_bend->itemData(index).value<std::size_t>();
        showBendBound();
    });
    m_bendAt = new QLineEdit(this);
    m_bendAt->setAccessibleName(QStringLiteral("Knick ab Prozent"));
    // Room for the widest bend, "99,99 %", however narrow the editor.
    m_bendAt->setFixedWidth(m_bendAt->fontMetrics().horizontalAdvance(QStringLiteral("99,99 %")) +
                            4 * m_bendAt->fontMetrics().averageCharWidth());
    // The bend's own figure until the teacher types another.
    connect(m_bendAt, &QLineEdit::textEdited, this, [this] { m_bendAtTyped = true; });
    // Whoever types a bend and presses Enter means to spread it, not to save the key unspread.
    m_bendAt->installEventFilter(new EnterDoes([this] { spreadBounds(); }, m_bendAt));
    m_spread = new QPushButton(QStringLiteral("Gren&zen verteilen"), this);
    m_spread->setAutoDefault(false);
    connect(m_spread, &QPushButton::clicked, this, &KeyEditor::spreadBounds);
    auto* bend = new QHBoxLayout;
    bend->addWidget(m_bend, 1);
    bend->addWidget(labelFor(m_bendAt, QStringLiteral("ab"), this));
    bend->addWidget(m_bendAt);
    bend->addWidget(m_spread);
    weak->addRow(labelFor(m_bend, QStringLiteral("Knick &bei Note"), this), bend);
    m_bendRow = weak->rowCount() - 1;
    m_weakRows = weak;
    m_approval = new QComboBox(this);
    connect(m_approval, &QComboBox::activated, this, [this](int index) {
        const QString fileText = m_approval->itemData(index).toString();
        m_session.setApproval(fileText.isEmpty() ? std::nullopt
                                                 : grading::approvalFromFileText(fileText).limit);
        formChanged();
    });
    weak->addRow(labelFor(m_approval, QStringLiteral("&Genehmigung"), this), m_approval);
    edit->addLayout(weak);
    edit->addWidget(m_problem);

    auto* content = new QHBoxLayout;
    content->addLayout(keys, 2);
    content->addSpacing(12);
    content->addLayout(edit, 3);
    content->addSpacing(12);
    auto* keyTable = new QScrollArea(this);
    keyTable->setFocusPolicy(Qt::NoFocus); // the table in it takes the focus
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

    QWidget* const tabOrder[] = {m_list,        m_preset, m_name, m_scale,  m_grades, insert,
                                 m_removeGrade, m_weak,   m_bend, m_bendAt, m_spread, m_approval};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void KeyEditor::listKeys() {
    m_filling = true;
    m_list->clear();
    m_list->setCurrentRow(-1);
    const std::optional<QString> editing = m_session.editing();
    for (const grading::GradingKey& key : m_session.own()) {
        m_list->addItem(key.name);
        if (key.name == editing) {
            m_list->setCurrentRow(m_list->count() - 1);
        }
    }
    m_filling = false;
}

void KeyEditor::showForm() {
    m_name->setText(m_session.name());
    m_scale->setCurrentIndex(m_scale->findData(static_cast<int>(m_session.scale())));
    fillApprovalChoice();
    listKeys();
    m_bendPicked.reset();
    m_bendAtTyped = false;
    formChanged();
}

// "keine", the limits the editor names, and a limit of the file's own wording where the key has
// one, so that saving keeps it.
void KeyEditor::fillApprovalChoice() {
    m_approval->clear();
    m_approval->addItem(QStringLiteral("keine"), QString());
    const std::optional<grading::ApprovalLimit>& shown = m_session.approval();
    for (const grading::NamedLimit& named : grading::namedLimits) {
        const QString fileText = QString::fromUtf8(named.fileText);
        m_approval->addItem(QString::fromUtf8(named.words), fileText);
        if (shown == grading::approvalFromFileText(fileText).limit) {
            m_approval->setCurrentIndex(m_approval->count() - 1);
        }
    }
    if (shown && m_approval->currentIndex() == 0) {
        m_approval->addItem(shown->wording(m_locale), shown->fileText);
        m_approval->setCurrentIndex(m_approval->count() - 1);
    }
}

// Each edit checks the key anew: the first broken rule stands under the table, and the key
// table follows the grades as soon as they make a key.
void KeyEditor::formChanged() {
    fillWeakChoice();
    fillBendChoice();
    keys::KeyEditSession::Live live = m_session.live();
    m_problem->setText(live.problem);
    m_keyTable->setEnabled(live.key.has_value());
    if (live.key) {
        m_keyTable->setKey(std::make_shared<const grading::GradingKey>(std::move(*live.key)));
    }
    m_removeGrade->setEnabled(m_session.rows().rowCount() > 0);
}

void KeyEditor::fillWeakChoice() {
    m_weak->clear();
    const keys::GradeRows& rows = m_session.rows();
    for (std::size_t row = 0; row < rows.rows().size(); ++row) {
        m_weak->addItem(rows.gradeName(row), QVariant::fromValue(row));
        if (rows.firstWeak() == row) {
            m_weak->setCurrentIndex(m_weak->count() - 1);
        }
    }
    m_weak->addItem(QStringLiteral("keine"));
    if (!rows.firstWeak()) {
        m_weak->setCurrentIndex(m_weak->count() - 1);
    }
}

// Every grade the key counts but the last, which has no bound; unless the teacher picked one, the
// grade just above the first weak one, else the middle one. Only keys of points have a bend.
void KeyEditor::fillBendChoice() {
    const keys::GradeRows& rows = m_session.rows();
    std::vector<std::size_t> choices = rows.gradedRows();
    if (!choices.empty()) {
        choices.pop_back();
    }
    m_bend->clear();
    for (const std::size_t row : choices) {
        m_bend->addItem(rows.gradeName(row), QVariant::fromValue(row));
    }
    auto offered = [&](std::size_t row) {
        return std::find(choices.begin(), choices.end(), row) != choices.end();
    };
    if (m_bendPicked && !offered(*m_bendPicked)) {
        m_bendPicked.reset();
    }
    std::optional<std::size_t> shown = m_bendPicked;
    if (const std::optional<std::size_t> weak = rows.firstWeak(); !shown && weak) {
        const auto above = std::find_if(choices.rbegin(), choices.rend(),
                                        [&](std::size_t row) { return row < *weak; });
        if (above != choices.rend()) {
            shown = *above;
        }
    }
    if (!shown && !choices.empty()) {
        shown = choices[choices.size() / 2];
    }
    m_bend->setCurrentIndex(shown ? m_bend->findData(QVariant::fromValue(*shown)) : -1);
    m_spread->setEnabled(!choices.empty());
    m_weakRows->setRowVisible(m_bendRow, m_session.scale() == grading::Scale::Points);
    if (!m_bendAtTyped) {
        showBendBound();
    }
}

// The chosen grade's bound as it stands, for the teacher to keep or type over.
void KeyEditor::showBendBound() {
    const QVariant row = m_bend->currentData();
    m_bendAt->setText(row.isValid() ? m_session.rows().rows()[row.value<std::size_t>()].bound
                                    : QString());
    m_bendAtTyped = false;
}

void KeyEditor::spreadBounds() {
    commitOpenCell();
    const QVariant row = m_bend->currentData();
    const std::optional<qint64> at = keys::bendFromText(m_bendAt->text(), m_locale);
    if (!row.isValid()) {
        return;
    }
    if (!at) {
        m_problem->setText(QStringLiteral("„%1“ unter „ab“ ist keine Zahl über 0 und unter 100 mit "
                                          "höchstens zwei Nachkommastellen (etwa „50“).")
                               .arg(m_bendAt->text().trimmed()));
        m_bendAt->setFocus();
        m_bendAt->selectAll();
        return;
    }
    const QString problem = m_session.spreadFrom(row.value<std::size_t>(), *at);
    if (!problem.isEmpty()) {
        m_problem->setText(problem);
        m_bend->setFocus();
    }
}

void KeyEditor::insertGrade() {
    const int current = m_grades->currentIndex().row();
    const int row = current >= 0 ? current + 1 : m_session.rows().rowCount();
    m_session.rows().insertRow(row);
    m_grades->setCurrentIndex(m_session.rows().index(row, keys::GradeRows::Grade));
    m_grades->setFocus();
}

void KeyEditor::removeGrade() {
    const int current = m_grades->currentIndex().row();
    m_session.rows().removeRow(current >= 0 ? current : m_session.rows().rowCount() - 1);
}

void KeyEditor::startNew() {
    const int preset = std::max(1, m_preset->currentIndex());
    m_session.startNew(static_cast<std::size_t>(preset - 1));
    m_preset->setCurrentIndex(preset);
    showForm();
}

void KeyEditor::showChosenKey() {
    const int row = m_list->currentRow();
    if (row < 0) {
        return;
    }
    const QString chosen = m_list->item(row)->text();
    if (m_session.editing() == chosen) {
        return;
    }
    if (!mayLeave()) {
        // Once the click that chose the other key is done with the list.
        QMetaObject::invokeMethod(this, &KeyEditor::listKeys, Qt::QueuedConnection);
        return;
    }
    m_session.open(chosen);
    m_status->clear();
    m_preset->setCurrentIndex(0);
    showForm();
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

bool KeyEditor::report(const keys::KeyEditSession::Outcome& outcome, const QString& notDone) {
    if (outcome.refused) {
        const keys::FormCheck& check = *outcome.refused;
        say(QMessageBox::Warning, notDone + QStringLiteral(":\n\n") + check.problem);
        if (check.row >= 0) {
            m_grades->setCurrentIndex(m_session.rows().index(check.row, check.column));
            m_grades->setFocus();
        } else if (check.column == keys::FormCheck::Approval) {
            m_approval->setFocus();
        } else {
            m_name->setFocus();
            m_name->selectAll();
        }
        return false;
    }
    if (!outcome.failure.isEmpty()) {
        say(QMessageBox::Critical, withLineBreaks(outcome.failure));
    }
    m_status->setText(outcome.status);
    listKeys();
    return outcome.done;
}

bool KeyEditor::mayLeave() {
    commitOpenCell();
    return m_session.mayLeave();
}

void KeyEditor::done(int result) {
    if (mayLeave()) {
        QDialog::done(result);
    }
}

void KeyEditor::save() {
    commitOpenCell();
    if (report(m_session.save(), QStringLiteral("Der Notenschlüssel wurde nicht gespeichert"))) {
        m_preset->setCurrentIndex(0); // a saved key, shown as one opened from the list
    }
}

void KeyEditor::remove() {
    if (const int row = m_list->currentRow(); row >= 0) {
        report(m_session.remove(m_list->item(row)->text()), {});
    }
}

void KeyEditor::importKeys() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Notenschlüssel importieren"), madeDocumentsFolder(),
        QStringLiteral("Notenschlüssel (*.txt);;Alle Dateien (*)"));
    if (path.isEmpty()) {
        return;
    }
    settings::KeyFileLoad loaded = settings::loadKeyFile(path);
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
    report(m_session.importKeys(std::move(loaded.keys)), {});
}

void KeyEditor::exportKey() {
    // The key as the form shows it, saved or not.
    commitOpenCell();
    const QString notDone = QStringLiteral("Der Notenschlüssel wurde nicht exportiert");
    const keys::FormCheck check = m_session.check();
    if (!check.key) {
        report({false, check, {}, {}}, notDone);
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Notenschlüssel exportieren"), madeDocumentsFolder(),
                       QStringLiteral("Notenschlüssel (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(settings::fileNameFromTitle(check.key->name, {}, QStringLiteral(".txt")));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        report(m_session.exportTo(dialog.selectedFiles().constFirst()), notDone);
    }
}

bool KeyEditor::yes(const QString& question) {
    return say(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
}

bool KeyEditor::discard(const QString& question) {
    return say(QMessageBox::Question, question, QMessageBox::Discard | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Discard;
}

bool KeyEditor::overwrite(const QString& question, const QString& button) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    auto* write = box.addButton(button, QMessageBox::AcceptRole);
    auto* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == write;
}

keys::OnClash KeyEditor::onClash(const QString& question) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    auto* replace = box.addButton(QStringLiteral("&Ersetzen"), QMessageBox::AcceptRole);
    auto* both = box.addButton(QStringLiteral("&Beide behalten"), QMessageBox::AcceptRole);
    auto* skip = box.addButton(QStringLiteral("Übe&rspringen"), QMessageBox::RejectRole);
    box.setDefaultButton(skip);
    box.setEscapeButton(skip);
    box.exec();
    return box.clickedButton() == replace ? keys::OnClash::Replace
           : box.clickedButton() == both  ? keys::OnClash::KeepBoth
                                          : keys::OnClash::Skip;
}

std::optional<QString> KeyEditor::keyName(const QString& question, const QString& proposal) {
    QInputDialog dialog(this);
    dialog.setWindowTitle(title);
    dialog.setLabelText(question);
    dialog.setTextValue(proposal);
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setTextFormat(Qt::PlainText); // a name as "<i>A</i>" reads as typed
        label->setWordWrap(true);
        // The question reads in a few long lines, not a column of short ones.
        label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 60);
    }
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(m_name->maxLength());
        edit->setAccessibleName(QStringLiteral("Name"));
        edit->selectAll();
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

QMessageBox::StandardButton KeyEditor::say(QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton preset) {
    QMessageBox box(icon, title, text, buttons, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(preset);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
