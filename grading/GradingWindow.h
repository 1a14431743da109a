// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace grading {

enum class Field { Rohpunkte, Prozent, Punkte, ErgebnisProzent, ErgebnisNote, Schluessel };

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb validBackground{255, 255, 255};
inline constexpr Rgb invalidBackground{255, 255, 0};

enum class MessageIcon { Error, Warning, Information };

// What the grading commands need from the window. The real window implements it with widgets;
// the tests and benchmarks with a plain model of the same state.
class GradingWindow {
public:
    virtual ~GradingWindow() = default;

    virtual QString text(Field field) const = 0;
    virtual void setText(Field field, const QString& text) = 0;
    virtual void setBackground(Field field, Rgb colour) = 0;
    // With the field's text selected, so that what the user types next replaces it.
    virtual void setFocus(Field field) = 0;
    // Modal: returns once the user has closed the box. Lines are separated by '\r'.
    virtual void showMessage(const QString& text, const QString& title, MessageIcon icon) = 0;

protected:
    GradingWindow() = default;
    GradingWindow(const GradingWindow&) = default;
    GradingWindow& operator=(const GradingWindow&) = default;
};

} // namespace grading
