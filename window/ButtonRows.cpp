// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ButtonRows.h"

#include <QEvent>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

ButtonRows::ButtonRows(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QPushButton* ButtonRows::add(const QString& text) {
    auto* button = new QPushButton(text, this);
    button->installEventFilter(this);
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
    int height = 0;
    for (const auto& row : rows(width)) {
        height += (height == 0 ? 0 : spacing()) + rowHeight(row);
    }
    return height;
}

int ButtonRows::rowHeight(const std::vector<QPushButton*>& row) {
    int tallest = 0;
    for (QPushButton* button : row) {
        tallest = std::max(tallest, button->sizeHint().height());
    }
    return tallest;
}

bool ButtonRows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        updateGeometry();
        place();
    }
    return QWidget::eventFilter(watched, event);
}

void ButtonRows::resizeEvent(QResizeEvent*) {
    place();
}

void ButtonRows::place() {
    int y = 0;
    for (const auto& row : rows(width())) {
        int x = width();
        const int height = rowHeight(row);
        for (auto button = row.rbegin(); button != row.rend(); ++button) {
            const int wide = (*button)->sizeHint().width();
            x -= wide;
            (*button)->setGeometry(x, y, wide, height);
            x -= spacing();
        }
        y += height + spacing();
    }
}
