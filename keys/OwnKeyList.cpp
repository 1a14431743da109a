// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/OwnKeyList.h"

#include "grading/KeyRules.h"
#include "grading/ShortName.h"

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

// "Name (2)", "Name (3)" … where that fits; else what the teacher names it, asked with the name
// cut and marked: "1 bis 6 - 4 ab 50 %" becomes no "1 bis 6 - 4 ab 5 (2)", which reads as another
// key.
std::optional<QString> nameBeside(const GradingKey& key, const std::vector<GradingKey>& keys,
                                  const AskName& ask) {
    const QStringList taken = takenNames(keys);
    for (int number = 2;; ++number) {
        const QString tail = QStringLiteral(" (%1)").arg(number);
        const QString whole = key.name + tail;
        if (whole.size() <= longestKeyName) {
            if (!taken.contains(whole, Qt::CaseInsensitive)) {
                return whole;
            }
            continue;
        }
        const QString proposal = grading::cutAtWordEnd(key.name, longestKeyName - 1 - tail.size()) +
                                 QChar(0x2026) + tail;
        if (!taken.contains(proposal, Qt::CaseInsensitive)) {
            return ask(key, proposal, taken);
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
                    const std::function<OnClash(const GradingKey& existing)>& decide,
                    const AskName& ask) {
    Imported result{std::move(own), {}};
    for (GradingKey& key : incoming) {
        const auto clash = named(result.keys, key.name);
        const OnClash choice = clash == result.keys.end() ? OnClash::KeepBoth : decide(*clash);
        if (choice == OnClash::Replace) {
            result.added << key.name;
            *clash = std::move(key);
        } else if (choice == OnClash::KeepBoth) {
            if (clash != result.keys.end()) {
                const std::optional<QString> name = nameBeside(key, result.keys, ask);
                if (!name) {
                    continue;
                }
                key.name = *name;
            }
            result.added << key.name;
            result.keys.push_back(std::move(key));
        }
    }
    return result;
}

} // namespace keys
