// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryBox.h"

#include "window/GradeMemoryModel.h"
#include "window/KeyTableSection.h"
#include "window/NotenspiegelSection.h"
#include "window/TableClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

bool isBoxKey(const QKeyEvent* event) {
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Undo) ||
           event->key() == Qt::Key_Delete;
}

// The list leaves the box's own keys to the box, where they arrive from every control in it. A
// plain list view would copy its current line alone on Ctrl+C.
class MemoryLines : public QListView {
public:
    using QListView::QListView;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (isBoxKey(event)) {
            event->ignore();
            return;
        }
        QListView::keyPressEvent(event);
    }
};

} // namespace

GradeMemoryBox::GradeMemoryBox(grading::NotenSpeicher& memory, const QString& maximumText,
                               const grading::Key& key, QWidget* parent, const QLocale& locale)
    : QDialog(parent) {
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
    m_lines = new MemoryLines(this);
    m_model = new GradeMemoryModel(memory, m_lines);
    m_lines->setModel(m_model);
    m_lines->setUniformItemSizes(true);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lines->setAccessibleName(windowTitle());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    m_remove =
        buttons->addButton(QStringLiteral("&Eintrag entfernen"), QDialogButtonBox::ActionRole);
    m_remove->setObjectName(QStringLiteral("removeEntry"));
    m_remove->setEnabled(false);
    connect(m_remove, &QPushButton::clicked, this, &GradeMemoryBox::removeSelected);
    // Only entries can be selected, so any selection is one that can be taken out.
    connect(m_lines->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_remove->setEnabled(m_lines->selectionModel()->hasSelection()); });
    m_copyNotenspiegel =
        buttons->addButton(QStringLiteral("&Notenspiegel kopieren"), QDialogButtonBox::ActionRole);
    m_copyNotenspiegel->setObjectName(QStringLiteral("copyNotenspiegel"));
    connect(m_copyNotenspiegel, &QPushButton::clicked, this,
            [this] { copyTables(m_notenspiegel->tables(), CaptionInText::Yes); });
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    m_notenspiegel = new NotenspiegelSection(memory, locale, this);
    m_copyNotenspiegel->setVisible(!m_notenspiegel->tables().empty());
    auto* list = new QVBoxLayout;
    list->addWidget(m_lines, 1);
    list->addWidget(m_notenspiegel);

    auto* content = new QHBoxLayout;
    content->addWidget(icon);
    content->addLayout(list, 1);
    content->addSpacing(12);
    content->addWidget(new KeyTableSection(maximumText, key, locale, this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addWidget(buttons);
    resize(std::max(360, sizeHint().width()), std::max(300, sizeHint().height()));
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

void GradeMemoryBox::memoryChanged() {
    m_notenspiegel->refresh();
    m_copyNotenspiegel->setVisible(!m_notenspiegel->tables().empty());
}
