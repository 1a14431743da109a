// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A caption that keeps its mouse presses to itself. A plain QLabel hands them on to the window,
// where a right press would open the context menu.
class StaticLabel : public QLabel {
public:
    StaticLabel(const QString& text, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
