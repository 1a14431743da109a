// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace keys {

// The teacher's own keys as a list: what saving a key and importing a file do to it. Names are
// compared without case, as the key file's reader does.

// The key of this name, case ignored; none where the list holds none.
std::optional<grading::GradingKey> keyNamed(const std::vector<grading::GradingKey>& keys,
                                            const QString& name);

// The name of the key other than `editing` (the key being edited, none for a new one) that bears
// `name`; saving under it replaces that key.
std::optional<QString> otherKeyNamed(const std::vector<grading::GradingKey>& keys,
                                     const std::optional<QString>& editing, const QString& name);

// What becomes of a key whose name, ignoring case, an own key bears already.
enum class OnClash { Replace, KeepBoth, Skip };

struct Imported {
    std::vector<grading::GradingKey> keys; // the own keys after the import
    QStringList added;                     // the names that came in, as they are now
};

// Asked for the name of a key kept beside its namesake where "Name (2)" would pass the longest
// name: gets the key, a proposal ("1 bis 6 - 4 ab… (2)") and the names taken; gives a name that
// `whyNotAKeyName` takes, or none to skip the key.
using AskName = std::function<std::optional<QString>(
    const grading::GradingKey& incoming, const QString& proposal, const QStringList& taken)>;

// Adds `incoming` behind `own`, asking `decide` about the key each clashing name belongs to.
// Kept both, the newcomer is named "Name (2)", "Name (3)" … where that fits, else as `ask` says.
Imported importKeys(std::vector<grading::GradingKey> own, std::vector<grading::GradingKey> incoming,
                    const std::function<OnClash(const grading::GradingKey& existing)>& decide,
                    const AskName& ask);

} // namespace keys
