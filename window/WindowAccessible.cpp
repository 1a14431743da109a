// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/WindowAccessible.h"

#include "window/Shape.h"

#include <QMenu>

WindowAccessible::WindowAccessible(QWidget* window)
    : QAccessibleWidget(window, QAccessible::Window) {}

QList<QWidget*> WindowAccessible::announcedChildren() const {
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child != nullptr && !child->isWindow() && qobject_cast<QMenu*>(child) == nullptr &&
            dynamic_cast<Shape*>(child) == nullptr) {
            children.append(child);
        }
    }
    return children;
}

int WindowAccessible::childCount() const {
    return static_cast<int>(announcedChildren().size());
}

QAccessibleInterface* WindowAccessible::child(int index) const {
    const QList<QWidget*> children = announcedChildren();
    if (index < 0 || index >= children.size()) {
        return nullptr;
    }
    return QAccessible::queryAccessibleInterface(children.at(index));
}

int WindowAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr || child->object() == nullptr || !child->object()->isWidgetType()) {
        return -1;
    }
    return static_cast<int>(announcedChildren().indexOf(static_cast<QWidget*>(child->object())));
}

QAccessibleInterface* WindowAccessible::factory(const QString& className, QObject* object) {
    if (className == QLatin1String("frmMain") && object != nullptr && object->isWidgetType()) {
        return new WindowAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}
