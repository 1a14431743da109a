// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/Shape.h"

#include <QPainter>

Shape::Shape(const Look& look, QWidget* parent) : QWidget(parent), m_look(look) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_look.fill) {
        painter.fillRect(rect(), *m_look.fill);
    }
    QPen pen(m_look.outline, 0, m_look.outlineStyle);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
