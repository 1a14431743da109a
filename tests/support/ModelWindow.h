// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingWindow.h"

#include <QString>
#include <map>
#include <optional>
#include <vector>

// The window's state as plain data, for driving the grading commands without widgets.
class ModelWindow : public grading::GradingWindow {
public:
    struct Message {
        QString text;
        QString title;
        grading::MessageIcon icon;
    };

    ModelWindow() {
        using grading::Field;
        m_texts = {{Field::Rohpunkte, "0"},    {Field::Prozent, "100"},
                   {Field::Punkte, "0"},       {Field::ErgebnisProzent, "0"},
                   {Field::ErgebnisNote, "0"}, {Field::Schluessel, "GYM"}};
    }

    QString text(grading::Field field) const override { return m_texts.at(field); }
    void setText(grading::Field field, const QString& text) override { m_texts[field] = text; }
    void setBackground(grading::Field field, grading::Rgb colour) override {
        m_backgrounds[field] = colour;
    }
    void setFocus(grading::Field field) override { m_focus = field; }
    void showMessage(const QString& text, const QString& title,
                     grading::MessageIcon icon) override {
        m_messages.push_back({text, title, icon});
    }

    std::optional<grading::Rgb> background(grading::Field field) const {
        const auto found = m_backgrounds.find(field);
        if (found == m_backgrounds.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    std::optional<grading::Field> focus() const { return m_focus; }
    const std::vector<Message>& messages() const { return m_messages; }

private:
    std::map<grading::Field, QString> m_texts;
    std::map<grading::Field, grading::Rgb> m_backgrounds;
    std::optional<grading::Field> m_focus;
    std::vector<Message> m_messages;
};
