// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

// A key of a teacher's own as the tests use it: tendency grades, decimal bounds, decimal values,
// weak from 5+. A bound of 33,4 held in single precision would be 33,4000015, and 167 of 500
// points would earn 5- instead of 5.
inline grading::GradingKey tendencyKey() {
    grading::GradingKey key{QStringLiteral("Tendenz"), {}, 12, {}, {}, {}};
    const std::pair<const char*, double> bounds[] = {
        {"1+", 99}, {"1", 93},  {"1-", 91},   {"2+", 89},  {"2", 83},
        {"2-", 81}, {"3+", 76}, {"3", 70},    {"3-", 65},  {"4+", 60},
        {"4", 55},  {"4-", 50}, {"5+", 42.5}, {"5", 33.4}, {"5-", 12.35}};
    const qint64 values[] = {70,  100, 130, 170, 200, 230, 270, 300,
                             330, 370, 400, 430, 470, 500, 530};
    for (std::size_t grade = 0; grade < std::size(bounds); ++grade) {
        key.grades.push_back(
            {QString::fromUtf8(bounds[grade].first), bounds[grade].second, values[grade]});
    }
    key.grades.push_back({QStringLiteral("6"), std::nullopt, 600});
    return grading::withOwnHeadings(key);
}
