// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace settings {

// The name proposed for a file of what the teacher titled („Mathematik 8a, Klassenarbeit 2.pdf“):
// the title without the blanks around it, cut at a blank after 80 characters, each character no
// Windows file name may hold (\ / : * ? " < > | and control characters) as "-", a device name
// ("CON") with a "-" after it, then `suffix`; `untitled` where the title is empty.
QString fileNameFromTitle(const QString& title, const QString& untitled, const QString& suffix);

} // namespace settings
