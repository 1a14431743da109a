// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingWindow.h"

#include <QString>
#include <QStringList>

// The texts of every field, "Rohpunkte | Prozent | Punkte | ErgebnisProzent | ErgebnisNote |
// key text", so that one comparison checks them all and a failure shows them all.
inline QString fieldTexts(const grading::GradingWindow& window) {
    using grading::Field;
    QStringList texts;
    for (Field field : {Field::Rohpunkte, Field::Prozent, Field::Punkte, Field::ErgebnisProzent,
                        Field::ErgebnisNote, Field::Schluessel}) {
        texts << window.text(field);
    }
    return texts.join(QStringLiteral(" | "));
}
