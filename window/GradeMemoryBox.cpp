// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryBox.h"

#include "window/MessageText.h"

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
        auto* cell = new QTableWidgetItem(locale.toString(count));
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
        .arg(locale.toString(summary.results), grading::averageHeading(summary.key),
             grading::averageText(summary, locale), grading::weakHeading(summary.key),
             locale.toString(summary.weak), grading::weakShareText(summary, locale));
}

} // namespace

GradeMemoryBox::GradeMemoryBox(const QString& text, const QString& title, QWidget* parent,
                               const grading::Notenspiegel& notenspiegel, const QLocale& locale)
    : QDialog(parent), m_text(withLineBreaks(text)) {
    setWindowTitle(title);
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
    m_lines->setModel(new QStringListModel(m_text.split(u'\n'), m_lines));
    m_lines->setUniformItemSizes(true);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lines->setAccessibleName(title);
    m_lines->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    auto* list = new QVBoxLayout;
    list->addWidget(m_lines, 1);
    const std::vector<grading::Notenspiegel::Summary> summaries = notenspiegel.summaries();
    for (const grading::Notenspiegel::Summary& summary : summaries) {
        auto* heading = new QLabel(QStringLiteral("Notenspiegel") + grading::suffix(summary.key) +
                                       QStringLiteral(" – ") + grading::gradeHeading(summary.key),
                                   this);
        QTableWidget* table = countTable(summary, locale, this);
        heading->setBuddy(table);
        auto* line = new QLabel(summaryLine(summary, locale), this);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        list->addSpacing(6);
        list->addWidget(heading);
        list->addWidget(table);
        list->addWidget(line);
    }
    if (!summaries.empty()) {
        QPushButton* copyTable = buttons->addButton(QStringLiteral("&Notenspiegel kopieren"),
                                                    QDialogButtonBox::ActionRole);
        copyTable->setObjectName(QStringLiteral("copyNotenspiegel"));
        const QString rows = grading::tabSeparated(summaries, locale);
        connect(copyTable, &QPushButton::clicked, this,
                [rows] { QApplication::clipboard()->setText(rows); });
    }

    auto* content = new QHBoxLayout;
    content->addWidget(icon);
    content->addLayout(list, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addWidget(buttons);
    resize(std::max(360, sizeHint().width()), std::max(300, sizeHint().height()));

    auto* copyShortcut = new QShortcut(QKeySequence::Copy, this);
    connect(copyShortcut, &QShortcut::activated, this, &GradeMemoryBox::copy);
}

QString GradeMemoryBox::shownText() const {
    return m_text;
}

bool GradeMemoryBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lines && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copy();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void GradeMemoryBox::copy() const {
    QModelIndexList selected = m_lines->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        QApplication::clipboard()->setText(m_text);
        return;
    }
    std::sort(selected.begin(), selected.end());
    QStringList lines;
    for (const QModelIndex& row : selected) {
        lines << row.data().toString();
    }
    QApplication::clipboard()->setText(lines.join(u'\n'));
}
