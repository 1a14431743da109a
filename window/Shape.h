// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

// A decorative rectangle: painted, never clicked. Mouse presses go through it to whatever lies
// below, the window's surface or a label.
class Shape : public QWidget {
public:
    struct Look {
        std::optional<QColor> fill; // none: only the outline is drawn
        QColor outline;
        Qt::PenStyle outlineStyle = Qt::SolidLine;
    };

    Shape(const Look& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};
