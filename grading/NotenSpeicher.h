// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QString>

namespace grading {

// The grade memory: every result of this session, oldest first, each entry introduced by a
// carriage return. Lives as long as the window and is never written to disk.
class NotenSpeicher {
public:
    static QString title();

    void append(const QString& percentageText, const QString& gradeText, GradingKey key);
    void clear();

    const QString& entries() const { return m_text; }
    // The full text of the box that shows the memory: heading line, then the entries.
    QString messageText() const;

private:
    QString m_text;
};

} // namespace grading
