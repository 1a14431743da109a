// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/StaticLabel.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

StaticLabel::StaticLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void StaticLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void StaticLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void StaticLabel::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}
