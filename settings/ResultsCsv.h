// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QLocale;

namespace grading {
class NotenSpeicher;
}

namespace settings {

// The session's results as a spreadsheet opens them: one line per result in the list's order,
// task points in columns "A1", "A2", … where any result has them. UTF-8 with a byte-order mark,
// ";" between fields, the locale's decimal sign, CR LF. A text that a spreadsheet would take for
// a formula (beginning with "=", "+", "-", "@", a tab or a CR) gets an apostrophe in front;
// numbers stay numbers.
QByteArray resultsCsv(const grading::NotenSpeicher& memory, const QLocale& locale);

} // namespace settings
