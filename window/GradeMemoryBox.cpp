// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryBox.h"

#include "window/MessageText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

GradeMemoryBox::GradeMemoryBox(const QString& text, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);

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

    auto* content = new QHBoxLayout;
    content->addWidget(icon);
    content->addWidget(m_text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addWidget(buttons);
    resize(360, 300);

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
