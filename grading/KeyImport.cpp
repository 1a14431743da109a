// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/KeyImport.h"

#include "grading/KeyRules.h"

#include <algorithm>

namespace grading {

namespace {

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
