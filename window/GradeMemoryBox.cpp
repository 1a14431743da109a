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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

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
    return QStringLiteral("%1 Ergebnisse · %2: %3 · %4: %5 (%6)")
        .arg(locale.toString(summary.results), grading::averageHeading(summary.key),
             grading::averageText(summary.average, locale), grading::weakHeading(summary.key),
             locale.toString(summary.weak), grading::percentText(summary.weakPercent, locale));
}

} // namespace

GradeMemoryBox::GradeMemoryBox(const QString& text, const QString& title, QWidget* parent,
                               const grading::Notenspiegel& notenspiegel, const QLocale& locale)
    : QDialog(parent) {
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

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(withLineBreaks(text));
    m_text->setAccessibleName(title);
    m_text->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    auto* list = new QVBoxLayout;
    list->addWidget(m_text, 1);
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
    resize(std::max(360, sizeHint().width()),
           summaries.empty() ? 300 : 300 + 90 * int(summaries.size()));

    auto* copyShortcut = new QShortcut(QKeySequence::Copy, this);
    connect(copyShortcut, &QShortcut::activated, this, &GradeMemoryBox::copy);
}

QString GradeMemoryBox::shownText() const {
    return m_text->toPlainText();
}

bool GradeMemoryBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copy();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void GradeMemoryBox::copy() const {
    const QTextCursor cursor = m_text->textCursor();
    QApplication::clipboard()->setText(
        cursor.hasSelection() ? cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n')
                              : m_text->toPlainText());
}
