// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ButtonRows.h"

#include <QPushButton>
#include <QStyle>
#include <algorithm>

ButtonRows::ButtonRows(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QPushButton* ButtonRows::add(const QString& text) {
    auto* button = new QPushButton(text, this);
    m_buttons.push_back(button);
    updateGeometry();
    return button;
}

int ButtonRows::spacing() const {
    // Styles that leave the spacing to each pair of controls answer -1 here.
    const int spacing = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this);
    return spacing >= 0 ? spacing : 6;
}

std::vector<std::vector<QPushButton*>> ButtonRows::rows(int width) const {
    std::vector<std::vector<QPushButton*>> rows(1);
    int used = 0;
    for (QPushButton* button : m_buttons) {
        if (button->isHidden()) {
            continue;
        }
        const int wide = button->sizeHint().width();
        if (!rows.back().empty() && used + spacing() + wide > width) {
            rows.emplace_back();
            used = 0;
        }
        used += (rows.back().empty() ? 0 : spacing()) + wide;
        rows.back().push_back(button);
    }
    return rows;
}

QSize ButtonRows::sizeHint() const {
    const auto oneRow = rows(QWIDGETSIZE_MAX);
    int width = 0;
    for (QPushButton* button : oneRow.front()) {
        width += (width == 0 ? 0 : spacing()) + button->sizeHint().width();
    }
    return {width, heightForWidth(QWIDGETSIZE_MAX)};
}

QSize ButtonRows::minimumSizeHint() const {
    int widest = 0;
    for (QPushButton* button : m_buttons) {
        widest = std::max(widest, button->sizeHint().width());
    }
    return {widest, heightForWidth(widest)};
}

int ButtonRows::heightForWidth(int width) const {
    const auto shown = rows(width);
    const int rowHeight = m_buttons.empty() ? 0 : m_buttons.front()->sizeHint().height();
    const auto count = static_cast<int>(shown.size());
    return count * rowHeight + (count - 1) * spacing();
}

void ButtonRows::resizeEvent(QResizeEvent*) {
    int y = 0;
    for (const auto& row : rows(width())) {
        int x = width();
        for (auto button = row.rbegin(); button != row.rend(); ++button) {
            const QSize size = (*button)->sizeHint();
            x -= size.width();
            (*button)->setGeometry(x, y, size.width(), size.height());
            x -= spacing();
        }
        y += (row.empty() ? 0 : row.front()->sizeHint().height()) + spacing();
    }
}
