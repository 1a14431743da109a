// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/TaskSum.h"

#include <QtGlobal>
#include <optional>

namespace grading {

// What an exam is marked out of: its maximum under points, its word count under errors per 100
// words; a count of errors needs neither.
struct OutOf {
    std::optional<double> maximum; // as the calculation takes it, 0 or below included
    std::optional<qint64> words;
    friend bool operator==(const OutOf&, const OutOf&) = default;
};

// What a result was graded from, as the calculation took it.
struct Score {
    OutOf outOf;
    double achieved = 0;   // points, or errors
    TaskPoints taskMaxima; // where the maximum was typed as a sum of tasks
    TaskPoints taskPoints; // where the points were, too, task by task
    friend bool operator==(const Score&, const Score&) = default;
};

} // namespace grading
