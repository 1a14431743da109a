// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/OwnKeyList.h"

#include "grading/KeyRules.h"

#include <algorithm>

namespace grading {

namespace {

auto named(std::vector<GradingKey>& keys, const QString& name) {
    return std::find_if(keys.begin(), keys.end(), [&](const GradingKey& key) {
        return key.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QString freeName(const QString& name, const std::vector<GradingKey>& keys) {
    QStringList taken{QStringLiteral("GYM"), QStringLiteral("IHK")};
    for (const GradingKey& key : keys) {
        taken << key.name;
    }
    for (int number = 2;; ++number) {
        const QString tail = QStringLiteral(" (%1)").arg(number);
        const QString candidate = name.left(20 - tail.size()).trimmed() + tail;
        if (whyNotAKeyName(candidate, taken).isEmpty()) {
            return candidate;
        }
    }
}

} // namespace

std::optional<QString> otherKeyNamed(const std::vector<GradingKey>& keys,
                                     const std::optional<QString>& editing, const QString& name) {
    for (const GradingKey& key : keys) {
        if (key.name.compare(name, Qt::CaseInsensitive) == 0 &&
            !(editing && key.name.compare(*editing, Qt::CaseInsensitive) == 0)) {
            return key.name;
        }
    }
    return std::nullopt;
}

std::vector<GradingKey> storeKey(std::vector<GradingKey> keys,
                                 const std::optional<QString>& editing, GradingKey key) {
    const std::optional<QString> otherName = otherKeyNamed(keys, editing, key.name);
    const auto other = otherName ? named(keys, *otherName) : keys.end();
    const auto edited = editing ? named(keys, *editing) : keys.end();
    if (edited != keys.end()) {
        *edited = std::move(key);
        if (other != keys.end()) {
            keys.erase(other);
        }
    } else if (other != keys.end()) {
        *other = std::move(key);
    } else {
        keys.push_back(std::move(key));
    }
    return keys;
}

Imported importKeys(std::vector<GradingKey> own, std::vector<GradingKey> incoming,
                    const std::function<OnClash(const GradingKey& existing)>& decide) {
    Imported result{std::move(own), {}};
    for (GradingKey& key : incoming) {
        const auto clash =
            std::find_if(result.keys.begin(), result.keys.end(), [&](const GradingKey& existing) {
                return existing.name.compare(key.name, Qt::CaseInsensitive) == 0;
            });
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

} // namespace grading
