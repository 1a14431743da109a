// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

// The main window as a screen reader meets it: its fields, captions and button, without the
// painted rectangles, which carry no meaning of their own.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // Serves `frmMain`; for anything else Qt's own interfaces stay in charge.
    static QAccessibleInterface* factory(const QString& className, QObject* object);

private:
    QList<QWidget*> announcedChildren() const;
};
