// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace grading {

// The name cut to `room` characters at a word's end, with no separator left dangling
// ("1 bis 6 - 4 ab", never "1 bis 6 - 4 ab 5" or "1 bis 6 -"); a single word is cut where it
// must. A name within `room` stays as it is.
QString cutAtWordEnd(const QString& name, qsizetype room);

} // namespace grading
