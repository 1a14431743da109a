// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The six lines of the About box, separated by '\r', then after a blank line the way to the menu;
// the year is the clock's at the moment the box opens.
QString aboutText(int year);
