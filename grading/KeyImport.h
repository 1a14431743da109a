// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace grading {

// What becomes of a key whose name, ignoring case, an own key bears already.
enum class OnClash { Replace, KeepBoth, Skip };

struct Imported {
    std::vector<GradingKey> keys; // the own keys after the import
    QStringList added;            // the names that came in, as they are now
};

// Adds `incoming` behind `own`, asking `decide` about the key each clashing name belongs to.
// Kept both, the newcomer is named "Name (2)", "Name (3)" …, shortened to fit.
Imported importKeys(std::vector<GradingKey> own, std::vector<GradingKey> incoming,
                    const std::function<OnClash(const GradingKey& existing)>& decide);

} // namespace grading
