// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/OwnKeyList.h"

#include "grading/KeyRules.h"

#include <algorithm>

namespace keys {

using namespace grading;

namespace {

// The key of this name, case ignored, in a list whose names differ in more than case.
template <typename List> auto named(List& keys, const QString& name) {
    return std::find_if(keys.begin(), keys.end(), [&](const GradingKey& key) {
        return key.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QString freeName(const QString& name, const std::vector<GradingKey>& keys) {
    const QStringList taken = takenNames(keys);
    for (int number = 2;; ++number) {
        const QString tail = QStringLiteral(" (%1)").arg(number);
        const QString candidate = name.left(longestKeyName - tail.size()).trimmed() + tail;
        if (whyNotAKeyName(candidate, taken).isEmpty()) {
            return candidate;
        }
    }
}

} // namespace

std::optional<GradingKey> keyNamed(const std::vector<GradingKey>& keys, const QString& name) {
    const auto key = named(keys, name);
    return key != keys.end() ? std::optional(*key) : std::nullopt;
}

std::optional<QString> otherKeyNamed(const std::vector<GradingKey>& keys,
                                     const std::optional<QString>& editing, const QString& name) {
    if (editing && editing->compare(name, Qt::CaseInsensitive) == 0) {
        return std::nullopt;
    }
    const auto other = named(keys, name);
    return other != keys.end() ? std::optional(other->name) : std::nullopt;
}

Imported importKeys(std::vector<GradingKey> own, std::vector<GradingKey> incoming,
                    const std::function<OnClash(const GradingKey& existing)>& decide) {
    Imported result{std::move(own), {}};
    for (GradingKey& key : incoming) {
        const auto clash = named(result.keys, key.name);
        const OnClash choice = clash == result.keys.end() ? OnClash::KeepBoth : decide(*clash);
        if (choice == OnClash::Replace) {
            result.added << key.name;
            *clash = std::move(key);
        } else if (choice == OnClash::KeepBoth) {
            if (clash != result.keys.end()) {
                key.name = freeName(key.name, result.keys);
            }
            result.added << key.name;
            result.keys.push_back(std::move(key));
        }
    }
    return result;
}

} // namespace keys
