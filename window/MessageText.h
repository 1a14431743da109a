// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Message texts separate their lines with a lone carriage return; Qt's widgets break lines only
// at '\n', so that is what they are shown with.
inline QString withLineBreaks(const QString& text) {
    return QString(text).replace(u'\r', u'\n');
}
