// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryBox.h"

#include "grading/MessageTitle.h"
#include "settings/FileName.h"
#include "settings/ResultsCsv.h"
#include "settings/SaveRoute.h"
#include "settings/modSpecialFolder.h"
#include "sheet/SheetContent.h"
#include "window/ButtonRows.h"
#include "window/GradeMemoryModel.h"
#include "window/HelpWindow.h"
#include "window/KeyTableSection.h"
#include "window/MessageText.h"
#include "window/NotenspiegelSection.h"
#include "window/Printing.h"
#include "window/TableClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Asks for room for all it holds, and scrolls where the box cannot give it that much.
class WholeScrollArea : public QScrollArea {
public:
    explicit WholeScrollArea(QWidget* parent) : QScrollArea(parent) {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus); // what it holds takes the focus
    }

    // The whole content and the scroll bar it may need, for a table wider than the box.
    QSize sizeHint() const override {
        return widget() != nullptr
                   ? widget()->sizeHint() + QSize(verticalScrollBar()->sizeHint().width(), 0)
                   : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override { return {0, 0}; }
};

} // namespace

GradeMemoryBox::GradeMemoryBox(grading::NotenSpeicher& memory, const QString& maximumText,
                               const grading::Key& key, QWidget* parent, const QLocale& locale,
                               std::function<grading::Key()> editKeys)
    : QDialog(parent), m_memory(memory), m_locale(locale) {
    setWindowTitle(grading::NotenSpeicher::title());
    setModal(true);
    if (parent != nullptr) {
        setFont(parent->font()); // the box belongs to the window: same family and sizes
    }

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    // One row a line: a list view lays out only the rows in sight, so a session of 100,000
    // results opens as fast as one of ten.
    m_lines = new QListView(this);
    m_model = new GradeMemoryModel(memory, m_lines);
    m_lines->setModel(m_model);
    m_lines->setUniformItemSizes(true);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lines->setAccessibleName(windowTitle());

    m_notenspiegel = new NotenspiegelSection(memory, locale, this);
    auto* notenspiegel = new WholeScrollArea(this);
    notenspiegel->setWidget(m_notenspiegel);
    auto* list = new QVBoxLayout;
    list->addWidget(m_lines, 1);
    list->addWidget(notenspiegel, 2);

    auto* content = new QHBoxLayout;
    content->addWidget(icon);
    content->addLayout(list, 1);
    content->addSpacing(12);
    m_keyTable = new KeyTableSection(maximumText, key, locale, this);
    auto* keyTable = new QVBoxLayout;
    auto* keyTableArea = new WholeScrollArea(this);
    setHelpSection(keyTableArea, HelpSection::KeyTable);
    keyTableArea->setWidget(m_keyTable);
    keyTable->addWidget(keyTableArea, 1);
    if (editKeys) {
        auto* edit = new QPushButton(QStringLiteral("Notenschlüssel &bearbeiten..."), this);
        edit->setObjectName(QStringLiteral("editKeys"));
        connect(edit, &QPushButton::clicked, this,
                [this, editKeys] { m_keyTable->setKey(editKeys()); });
        keyTable->addWidget(edit, 0, Qt::AlignLeft);
    }
    content->addLayout(keyTable);
    auto* titleRow = new QHBoxLayout;
    auto* titleLabel = new QLabel(QStringLiteral("&Titel"), this);
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(QStringLiteral("für den Ausdruck, etwa „Klassenarbeit Nr. 2, 8b“"));
    titleLabel->setBuddy(m_title);
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(m_title, 1);
    // The day the exam was written, for the sheet alone; today unless changed, never saved.
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_date->setObjectName(QStringLiteral("examDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // As wide as a date in the widest digits beside the arrow, which some styles draw over the
    // year's last digit otherwise.
    const QFontMetrics metrics = m_date->fontMetrics();
    QChar widestDigit = u'0';
    for (QChar digit = u'1'; digit <= u'9'; digit = QChar(digit.unicode() + 1)) {
        if (metrics.horizontalAdvance(digit) > metrics.horizontalAdvance(widestDigit)) {
            widestDigit = digit;
        }
    }
    const QString widest = QStringLiteral("00.00.0000").replace(u'0', widestDigit);
    QStyleOptionComboBox asCombo;
    asCombo.initFrom(m_date);
    asCombo.editable = true;
    const QSize needed = m_date->style()->sizeFromContents(
        QStyle::CT_ComboBox, &asCombo,
        QSize(metrics.horizontalAdvance(widest) + 4, metrics.height()), m_date);
    m_date->setMinimumWidth(std::max(m_date->sizeHint().width(), needed.width()));
    auto* dateLabel = new QLabel(QStringLiteral("Dat&um der Arbeit"), this);
    dateLabel->setBuddy(m_date);
    titleRow->addWidget(dateLabel);
    titleRow->addWidget(m_date);
    // Made last, so that Tab goes through the box as it reads and ends at the buttons.
    auto* buttons = new ButtonRows(this);
    m_remove = buttons->add(QStringLiteral("&Eintrag entfernen"));
    m_remove->setObjectName(QStringLiteral("removeEntry"));
    m_remove->setEnabled(false);
    connect(m_remove, &QPushButton::clicked, this, &GradeMemoryBox::removeSelected);
    // Only entries can be selected, so any selection is one that can be taken out.
    connect(m_lines->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_remove->setEnabled(m_lines->selectionModel()->hasSelection()); });
    m_copyNotenspiegel = buttons->add(QStringLiteral("&Notenspiegel kopieren"));
    m_copyNotenspiegel->setObjectName(QStringLiteral("copyNotenspiegel"));
    m_copyNotenspiegel->setVisible(!m_notenspiegel->tables().empty());
    connect(m_copyNotenspiegel, &QPushButton::clicked, this,
            [this] { copyTables(m_notenspiegel->tables(), CaptionInText::Yes); });
    auto* print = buttons->add(QStringLiteral("&Drucken..."));
    print->setObjectName(QStringLiteral("print"));
    connect(print, &QPushButton::clicked, this, &GradeMemoryBox::print);
    auto* pdf = buttons->add(QStringLiteral("Als &PDF speichern..."));
    pdf->setObjectName(QStringLiteral("savePdf"));
    connect(pdf, &QPushButton::clicked, this, &GradeMemoryBox::saveAsPdf);
    auto* csv = buttons->add(QStringLiteral("Als &CSV speichern..."));
    csv->setObjectName(QStringLiteral("saveCsv"));
    setHelpSection(csv, HelpSection::TaskPoints);
    connect(csv, &QPushButton::clicked, this, &GradeMemoryBox::saveAsCsv);
    for (QWidget* forPaper : std::initializer_list<QWidget*>{m_title, m_date, print, pdf}) {
        setHelpSection(forPaper, HelpSection::Paper);
    }
    offerHelp(this, HelpSection::GradeMemory);
    auto* ok = buttons->add(QStringLiteral("OK"));
    if (style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, this) != 0) {
        ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, this));
    }
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setDefault(true);
    ok->setFocus();
    m_saved = new QLabel(this);
    m_saved->setObjectName(QStringLiteral("saved"));
    m_saved->setTextFormat(Qt::PlainText);
    m_saved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_saved->setWordWrap(true);
    // Its line is kept from the start: the line a save writes takes no room from the tables.
    m_saved->setMinimumHeight(m_saved->fontMetrics().lineSpacing());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addLayout(titleRow);
    layout->addWidget(m_saved);
    layout->addWidget(buttons);
    // As large as its content where the screen allows; the Notenspiegel of three keys or more,
    // or at a large scale, scrolls.
    const QSize available = parent != nullptr && parent->screen() != nullptr
                                ? parent->screen()->availableGeometry().size() * 0.9
                                : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(std::clamp(sizeHint().width(), 360, std::max(360, available.width())),
           std::clamp(sizeHint().height(), 300, std::max(300, available.height())));
}

void GradeMemoryBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Undo)) {
        undoRemoval();
    } else if (event->key() == Qt::Key_Delete && focusWidget() == m_lines) {
        removeSelected();
    } else {
        QDialog::keyPressEvent(event);
    }
}

QString GradeMemoryBox::shownText() const {
    QStringList lines;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        lines << m_model->index(row).data().toString();
    }
    return lines.join(u'\n');
}

void GradeMemoryBox::copy() const {
    QModelIndexList selected = m_lines->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        QApplication::clipboard()->setText(shownText());
        return;
    }
    std::sort(selected.begin(), selected.end());
    QStringList lines;
    for (const QModelIndex& row : selected) {
        lines << row.data().toString();
    }
    QApplication::clipboard()->setText(lines.join(u'\n'));
}

void GradeMemoryBox::removeSelected() {
    grading::NotenSpeicher::Removed removed =
        m_model->remove(m_lines->selectionModel()->selection());
    if (removed.empty()) {
        return;
    }
    // The entry that moved up into the first gap is next, as in a file manager.
    const int next =
        std::min(GradeMemoryModel::firstEntryRow + static_cast<int>(removed.front().place),
                 m_model->rowCount() - 1);
    if (next >= GradeMemoryModel::firstEntryRow) {
        m_lines->setCurrentIndex(m_model->index(next));
    }
    m_removals.push_back(std::move(removed));
    memoryChanged();
}

void GradeMemoryBox::undoRemoval() {
    if (m_removals.empty()) {
        return;
    }
    const grading::NotenSpeicher::Removed removed = std::move(m_removals.back());
    m_removals.pop_back();
    const QItemSelection restored = m_model->restore(removed);
    m_lines->selectionModel()->select(restored, QItemSelectionModel::ClearAndSelect);
    m_lines->selectionModel()->setCurrentIndex(restored.front().topLeft(),
                                               QItemSelectionModel::NoUpdate);
    m_lines->scrollTo(restored.front().topLeft());
    memoryChanged();
}

ExamSheet GradeMemoryBox::sheet() const {
    return examSheet(m_memory, *m_keyTable->key(), m_keyTable->chosen(), m_title->text().trimmed(),
                     m_date->date(), m_locale);
}

void GradeMemoryBox::print() {
    const Printed printed = printExamSheet(this, sheet(), m_locale);
    if (printed.outcome == Printed::Outcome::NoPrinter) {
        QMessageBox box(QMessageBox::Information,
                        grading::messageTitle(grading::MessageTitle::Printing),
                        QStringLiteral("Es ist kein Drucker eingerichtet. Das Blatt lässt sich mit "
                                       "„Als PDF speichern...“ sichern und von dort drucken."),
                        QMessageBox::Ok, this);
        box.exec();
    } else if (printed.outcome == Printed::Outcome::Failed) {
        QMessageBox box(QMessageBox::Critical,
                        grading::messageTitle(grading::MessageTitle::Printing),
                        withLineBreaks(printed.problem), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

QString GradeMemoryBox::chosenFile(const QString& title, const QString& filter,
                                   const QString& proposal) {
    QFileDialog dialog(this, title, madeDocumentsFolder(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(proposal).suffix());
    dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void GradeMemoryBox::saveChosen(const QString& path, const QByteArray& bytes,
                                const QString& notSaved, grading::MessageTitle title) {
    const QString problem = settings::saveBytes(
        path, bytes, {notSaved, QStringLiteral("Eine vorhandene Datei bleibt unverändert.")});
    // Where it went, without a box to close: the teacher saves on to the next thing.
    m_saved->setText(problem.isEmpty()
                         ? QStringLiteral("Gespeichert: ") + QDir::toNativeSeparators(path)
                         : QString());
    // A path too long for one line makes the box taller where the screen allows.
    if (const int wanted = sizeHint().height(); wanted > height() && screen() != nullptr) {
        resize(width(), std::min(wanted, screen()->availableGeometry().height() * 9 / 10));
    }
    if (!problem.isEmpty()) {
        QMessageBox box(QMessageBox::Critical, grading::messageTitle(title),
                        withLineBreaks(problem), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

void GradeMemoryBox::saveAsPdf() {
    const QString path =
        chosenFile(QStringLiteral("Als PDF speichern"), QStringLiteral("PDF-Dateien (*.pdf)"),
                   settings::fileNameFromTitle(m_title->text(), QStringLiteral("Notenspiegel"),
                                               QStringLiteral(".pdf")));
    if (!path.isEmpty()) {
        saveChosen(path, examSheetPdf(sheet(), m_locale),
                   QStringLiteral("Das PDF wurde nicht gespeichert."),
                   grading::MessageTitle::SavingPdf);
    }
}

void GradeMemoryBox::saveAsCsv() {
    const QString path =
        chosenFile(QStringLiteral("Als CSV speichern"), QStringLiteral("CSV-Dateien (*.csv)"),
                   settings::fileNameFromTitle(m_title->text(), QStringLiteral("Ergebnisse"),
                                               QStringLiteral(".csv")));
    if (!path.isEmpty()) {
        saveChosen(path, settings::resultsCsv(m_memory, m_locale),
                   QStringLiteral("Die CSV-Datei wurde nicht gespeichert."),
                   grading::MessageTitle::SavingCsv);
    }
}

void GradeMemoryBox::memoryChanged() {
    m_notenspiegel->refresh();
    // The tables made anew stand where the old ones stood for Tab: after the list.
    QWidget* previous = m_lines;
    for (QTableWidget* table : m_notenspiegel->findChildren<QTableWidget*>()) {
        setTabOrder(previous, table);
        previous = table;
    }
    m_copyNotenspiegel->setVisible(!m_notenspiegel->tables().empty());
}
