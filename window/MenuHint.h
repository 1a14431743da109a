// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Nothing on the window's face shows that it has a menu: each input says so where the pointer
// rests on it, and the About box says it too.
QString menuHint();

// What the input takes, then the menu hint on a line of its own.
QString withMenuHint(const QString& takes);
