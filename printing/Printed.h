// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What became of printing the exam sheet.
struct Printed {
    enum class Outcome { Printed, CalledOff, NoPrinter, Failed };
    Outcome outcome = Outcome::CalledOff;
    QString problem; // German, where it failed
};
