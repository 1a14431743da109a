// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/NotenSpeicher.h"

namespace grading {

QString NotenSpeicher::title() {
    return QStringLiteral("Noten-Speicher");
}

void NotenSpeicher::append(const QString& percentageText, const QString& gradeText, GradingKey key,
                           qint16 grade) {
    // Appending in place keeps QString's geometric growth: constant cost per entry, however long
    // the session runs.
    m_text += QLatin1Char('\r');
    m_text += percentageText;
    m_text += QLatin1String(" % = ");
    m_text += gradeText;
    m_text += suffix(key);
    m_notenspiegel.add(key, grade);
}

void NotenSpeicher::clear() {
    m_text.clear();
    m_notenspiegel.clear();
}

QString NotenSpeicher::messageText() const {
    return QStringLiteral("Folgende Noten wurden berechnet: \r") + m_text;
}

} // namespace grading
