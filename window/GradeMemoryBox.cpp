// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryBox.h"

#include "grading/Numbers.h"
#include "window/KeyTableSection.h"
#include "window/TableClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// One row of counts under a header of grades, every column as wide as the widest, and no
// scrolling: the table is as large as its content.
QTableWidget* countTable(const grading::Notenspiegel::Summary& summary, const QLocale& locale,
                         QWidget* parent) {
    const auto columns = static_cast<int>(summary.counts.size());
    auto* table = new QTableWidget(1, columns, parent);
    table->setAccessibleName(QStringLiteral("Notenspiegel") + grading::suffix(summary.key));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalHeaderLabels({QStringLiteral("Anzahl")});
    QStringList grades;
    for (int column = 0; column < columns; ++column) {
        const auto& [grade, count] = summary.counts[static_cast<std::size_t>(column)];
        grades << grading::gradeText(summary.key, grade, locale);
        auto* cell = new QTableWidgetItem(grading::countText(count, locale));
        cell->setTextAlignment(Qt::AlignCenter);
        table->setItem(0, column, cell);
    }
    table->setHorizontalHeaderLabels(grades);
    table->horizontalHeaderItem(0)->setToolTip(grading::gradeHeading(summary.key));

    table->resizeColumnsToContents();
    int columnWidth = 0;
    for (int column = 0; column < columns; ++column) {
        columnWidth = std::max(columnWidth, table->columnWidth(column));
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (int column = 0; column < columns; ++column) {
        table->setColumnWidth(column, columnWidth);
    }
    table->resizeRowsToContents();
    const int frame = 2 * table->frameWidth();
    table->setFixedSize(table->verticalHeader()->sizeHint().width() + columns * columnWidth + frame,
                        table->horizontalHeader()->sizeHint().height() + table->rowHeight(0) +
                            frame);
    return table;
}

QString summaryLine(const grading::Notenspiegel::Summary& summary, const QLocale& locale) {
    const QString results =
        summary.results == 1 ? QStringLiteral("%1 Ergebnis") : QStringLiteral("%1 Ergebnisse");
    return (results + QStringLiteral(" · %2: %3 · %4: %5 (%6)"))
        .arg(grading::countText(summary.results, locale), grading::averageHeading(summary.key),
             grading::averageText(summary, locale), grading::weakHeading(summary.key),
             grading::countText(summary.weak, locale), grading::weakShareText(summary, locale));
}

// The list's rows ahead of the first entry: the heading and the empty line every entry's carriage
// return leaves behind it.
constexpr int firstEntryRow = 2;

QWidget* notenspiegelSection(const std::vector<grading::Notenspiegel::Summary>& summaries,
                             const QLocale& locale, QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const grading::Notenspiegel::Summary& summary : summaries) {
        auto* heading = new QLabel(QStringLiteral("Notenspiegel") + grading::suffix(summary.key) +
                                       QStringLiteral(" – ") + grading::gradeHeading(summary.key),
                                   section);
        QTableWidget* table = countTable(summary, locale, section);
        heading->setBuddy(table);
        auto* line = new QLabel(summaryLine(summary, locale), section);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addSpacing(6);
        layout->addWidget(heading);
        layout->addWidget(table);
        layout->addWidget(line);
    }
    return section;
}

} // namespace

GradeMemoryBox::GradeMemoryBox(grading::NotenSpeicher& memory, const QString& maximumText,
                               const QString& keyText, QWidget* parent, const QLocale& locale)
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
    QStringList lines{grading::NotenSpeicher::heading(), QString()};
    lines.reserve(firstEntryRow + static_cast<qsizetype>(memory.size()));
    for (std::size_t place = 0; place < memory.size(); ++place) {
        lines << memory.at(place).line;
    }
    m_lines = new QListView(this);
    m_model = new QStringListModel(lines, m_lines);
    m_lines->setModel(m_model);
    m_lines->setUniformItemSizes(true);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lines->setAccessibleName(windowTitle());
    m_lines->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    m_remove =
        buttons->addButton(QStringLiteral("&Eintrag entfernen"), QDialogButtonBox::ActionRole);
    m_remove->setObjectName(QStringLiteral("removeEntry"));
    m_remove->setEnabled(false);
    connect(m_remove, &QPushButton::clicked, this, &GradeMemoryBox::removeSelected);
    connect(m_lines->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_remove->setEnabled(!selectedEntries().empty()); });
    m_copyNotenspiegel =
        buttons->addButton(QStringLiteral("&Notenspiegel kopieren"), QDialogButtonBox::ActionRole);
    m_copyNotenspiegel->setObjectName(QStringLiteral("copyNotenspiegel"));
    connect(m_copyNotenspiegel, &QPushButton::clicked, this, [this] {
        copyTables(grading::pasteTables(m_memory.notenspiegel().summaries(), m_locale), true);
    });
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    m_notenspiegelLayout = new QVBoxLayout;
    m_notenspiegelLayout->setContentsMargins(0, 0, 0, 0);
    auto* list = new QVBoxLayout;
    list->addWidget(m_lines, 1);
    list->addLayout(m_notenspiegelLayout);
    showNotenspiegel();

    auto* content = new QHBoxLayout;
    content->addWidget(icon);
    content->addLayout(list, 1);
    content->addSpacing(12);
    content->addWidget(new KeyTableSection(maximumText, keyText, locale, this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addWidget(buttons);
    resize(std::max(360, sizeHint().width()), std::max(300, sizeHint().height()));

    auto* copyShortcut = new QShortcut(QKeySequence::Copy, this);
    connect(copyShortcut, &QShortcut::activated, this, &GradeMemoryBox::copy);
    auto* undoShortcut = new QShortcut(QKeySequence::Undo, this);
    connect(undoShortcut, &QShortcut::activated, this, &GradeMemoryBox::undoRemoval);
}

QString GradeMemoryBox::shownText() const {
    return m_model->stringList().join(u'\n');
}

bool GradeMemoryBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lines && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            copy();
            return true;
        }
        if (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
        if (key->matches(QKeySequence::Undo)) {
            undoRemoval();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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

std::vector<std::size_t> GradeMemoryBox::selectedEntries() const {
    std::vector<std::size_t> places;
    for (const QModelIndex& row : m_lines->selectionModel()->selectedRows()) {
        if (row.row() >= firstEntryRow) {
            places.push_back(static_cast<std::size_t>(row.row() - firstEntryRow));
        }
    }
    return places;
}

void GradeMemoryBox::removeSelected() {
    grading::NotenSpeicher::Removed removed = m_memory.remove(selectedEntries());
    if (removed.empty()) {
        return;
    }
    // From the last to the first, so that the rows still to go keep their numbers.
    for (auto entry = removed.rbegin(); entry != removed.rend(); ++entry) {
        m_model->removeRows(firstEntryRow + static_cast<int>(entry->first), 1);
    }
    // The entry that moved up into the first gap is next, as in a file manager.
    const int next =
        std::min(firstEntryRow + static_cast<int>(removed.front().first), m_model->rowCount() - 1);
    if (next >= firstEntryRow) {
        m_lines->setCurrentIndex(m_model->index(next));
    }
    m_removals.push_back(std::move(removed));
    showNotenspiegel();
}

void GradeMemoryBox::undoRemoval() {
    if (m_removals.empty()) {
        return;
    }
    const grading::NotenSpeicher::Removed removed = std::move(m_removals.back());
    m_removals.pop_back();
    m_memory.restore(removed);
    m_lines->clearSelection();
    for (const auto& [place, entry] : removed) {
        const int row = firstEntryRow + static_cast<int>(place);
        m_model->insertRows(row, 1);
        m_model->setData(m_model->index(row), entry.line);
        m_lines->selectionModel()->select(m_model->index(row), QItemSelectionModel::Select);
    }
    m_lines->scrollTo(m_model->index(firstEntryRow + static_cast<int>(removed.front().first)));
    showNotenspiegel();
}

void GradeMemoryBox::showNotenspiegel() {
    delete m_notenspiegel;
    const std::vector<grading::Notenspiegel::Summary> summaries =
        m_memory.notenspiegel().summaries();
    m_notenspiegel = notenspiegelSection(summaries, m_locale, this);
    m_notenspiegelLayout->addWidget(m_notenspiegel);
    m_copyNotenspiegel->setVisible(!summaries.empty());
}
