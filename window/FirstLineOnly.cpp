// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FirstLineOnly.h"

#include <QLineEdit>
#include <algorithm>

namespace {

bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n' || c == u'\t';
}

} // namespace

FirstLineOnly::FirstLineOnly(QLineEdit* edit) : QValidator(edit), m_former(edit->text()) {
    edit->setValidator(this);
}

QValidator::State FirstLineOnly::validate(QString& input, int& pos) const {
    // What came in lies between what the change left alike at the front and at the back; the
    // text around it stays, as where a paste replaced a selection in the middle.
    const qsizetype alike = std::min(input.size(), m_former.size());
    qsizetype front = 0;
    while (front < alike && input[front] == m_former[front]) {
        ++front;
    }
    qsizetype back = 0;
    while (back < alike - front &&
           input[input.size() - 1 - back] == m_former[m_former.size() - 1 - back]) {
        ++back;
    }
    const auto cameInEnd = input.cend() - back;
    const auto firstBreak = std::find_if(input.cbegin() + front, cameInEnd, isBreak);
    if (firstBreak != cameInEnd) {
        const auto cut = static_cast<qsizetype>(firstBreak - input.cbegin());
        input.remove(cut, input.size() - back - cut);
        pos = static_cast<int>(cut);
    }
    m_former = input;
    return Acceptable;
}
