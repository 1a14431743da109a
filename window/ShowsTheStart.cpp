// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ShowsTheStart.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>

namespace {

constexpr qreal smallestPoints = 7.0;

// What a line edit has for its text: its width less its frame and the two pixels it keeps free at
// either side.
qreal textRoom(const QLineEdit* edit) {
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const QMargins margins = edit->textMargins() + edit->contentsMargins();
    return edit->width() - 2 * frame - 4 - margins.left() - margins.right();
}

// A tooltip never wraps: a sum of forty tasks would run off the screen in one line, so it stands
// in lines of at most 60 characters, each ending after a "+" where it can.
QString inLines(const QString& text) {
    constexpr qsizetype longestLine = 60;
    QStringList lines;
    qsizetype start = 0;
    while (text.size() - start > longestLine) {
        qsizetype end = text.lastIndexOf(u'+', start + longestLine - 1) + 1;
        if (end <= start) {
            end = start + longestLine;
        }
        lines << text.mid(start, end - start);
        start = end;
    }
    lines << text.mid(start);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ShowsTheStart::ShowsTheStart(QLineEdit* edit, Fit fit)
    : QObject(edit), m_edit(edit), m_fit(fit), m_font(edit->font()) {
    connect(edit, &QLineEdit::textChanged, this, &ShowsTheStart::follow);
    if (fit == Fit::Tip) {
        edit->installEventFilter(this);
        return;
    }
    // setText moves the cursor to the end also where the text stays the same, as when a class's
    // second "mangelhaft" follows the first; only the program moves it in a field without focus.
    connect(edit, &QLineEdit::cursorPositionChanged, this, [this](int, int position) {
        if (position != 0 && !m_edit->hasFocus()) {
            m_edit->setCursorPosition(0);
        }
    });
}

void ShowsTheStart::setHint(const QString& hint) {
    m_hint = hint;
    fit();
}

bool ShowsTheStart::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        m_edit->setCursorPosition(0);
    }
    return QObject::eventFilter(watched, event);
}

void ShowsTheStart::follow() {
    // setText leaves the field unmodified; typing marks it. A key chosen from the list is set.
    if (!m_edit->isModified()) {
        m_edit->setCursorPosition(0);
    }
    if (m_fit != Fit::Scroll) {
        fit();
    }
}

void ShowsTheStart::fit() {
    const QString text = m_edit->text();
    const qreal room = textRoom(m_edit);
    const bool fits = QFontMetricsF(m_font, m_edit).horizontalAdvance(text) <= room;
    if (m_fit == Fit::Shrink) {
        QFont font = m_font;
        for (qreal points = font.pointSizeF() - 0.5; !fits && points >= smallestPoints;
             points -= 0.5) {
            font.setPointSizeF(points);
            if (QFontMetricsF(font, m_edit).horizontalAdvance(text) <= room) {
                break;
            }
        }
        m_edit->setFont(font);
    }
    QStringList tip;
    if (!fits) {
        tip << inLines(text);
    }
    if (!m_hint.isEmpty()) {
        tip << m_hint;
    }
    m_edit->setToolTip(tip.join(QLatin1Char('\n')));
}
