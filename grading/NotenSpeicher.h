// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/Notenspiegel.h"

#include <QString>

namespace grading {

// The grade memory: every result of this session, oldest first, each entry introduced by a
// carriage return. Lives as long as the window and is never written to disk.
class NotenSpeicher {
public:
    static QString title();

    // `grade` is the one `gradeText` shows; it also counts in the Notenspiegel.
    void append(const QString& percentageText, const QString& gradeText, GradingKey key,
                qint16 grade);
    void clear();

    const QString& entries() const { return m_text; }
    const Notenspiegel& notenspiegel() const { return m_notenspiegel; }
    // The full text of the box that shows the memory: heading line, then the entries.
    QString messageText() const;

private:
    QString m_text;
    Notenspiegel m_notenspiegel;
};

} // namespace grading
