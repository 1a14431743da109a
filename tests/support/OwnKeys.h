// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "grading/KeyRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <vector>

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

// Grades 1 to 6 of values 1 to 6, weak from 5, under the scale and with the bounds given.
inline grading::GradingKey oneToSix(const char* name, grading::Scale scale,
                                    const std::array<std::optional<double>, 6>& bounds) {
    grading::GradingKey key{QString::fromUtf8(name), {}, 4, {}, {}, {}};
    key.scale = scale;
    for (int grade = 1; grade <= 6; ++grade) {
        key.grades.push_back({QString::number(grade), bounds[grade - 1], 100 * grade});
    }
    return grading::withOwnHeadings(key);
}

// A dictation graded by its errors, a half error among the bounds and a best grade for none.
inline grading::GradingKey dictationKey() {
    return oneToSix("Diktat", grading::Scale::Errors, {0, 2, 6.5, 11, 18, std::nullopt});
}

// Language tests graded by errors per 100 words, bounds with one and two decimals.
inline grading::GradingKey quotientKey() {
    return oneToSix("Quotient", grading::Scale::ErrorsPer100Words,
                    {1, 1.5, 2.4, 4, 10.25, std::nullopt});
}

// Keys as schools make them, drawn from `seed`: 2 to 30 grades, texts of 1 to 12 characters,
// values with two decimals, with a weak grade or without (and with it an approval limit or not),
// bounds with two decimals (from 0 under errors per 100 words) or, under errors, whole or half from
// 0 to 1000. Each keeps every rule.
inline std::vector<grading::GradingKey> randomKeys(std::uint32_t seed, int count,
                                                   grading::Scale scale = grading::Scale::Points) {
    std::mt19937 draw(seed);
    auto between = [&](qint64 low, qint64 high) {
        return low + static_cast<qint64>(draw() % static_cast<std::uint32_t>(high - low + 1));
    };
    const QString letters = QString::fromUtf8("abcdefghijklmnopqrstuvwxyzäöüßABCDEFG0123456789+-");
    auto word = [&](qint64 length) {
        QString text;
        while (text.size() < length) {
            text += letters[static_cast<qsizetype>(between(0, letters.size() - 1))];
        }
        if (length > 2 && between(0, 3) == 0) {
            text[static_cast<qsizetype>(between(1, length - 2))] = u' ';
        }
        return text;
    };
    std::vector<grading::GradingKey> keys;
    for (int k = 0; k < count; ++k) {
        grading::GradingKey key{
            QStringLiteral("K%1 ").arg(k) + word(between(1, 16)), {}, {}, {}, {}, {}};
        const auto grades = static_cast<std::size_t>(between(2, 30));
        key.scale = scale;
        // In hundredths; falling from the best grade under points, rising under errors.
        std::set<qint64> bounds;
        while (bounds.size() < grades - 1) {
            bounds.insert(scale == grading::Scale::Errors              ? 50 * between(0, 2000)
                          : scale == grading::Scale::ErrorsPer100Words ? between(0, 10000)
                                                                       : between(1, 10000));
        }
        std::vector<qint64> inOrder(bounds.begin(), bounds.end());
        if (!grading::countsErrors(scale)) {
            std::reverse(inOrder.begin(), inOrder.end());
        }
        std::set<QString> texts;
        auto bound = inOrder.begin();
        while (key.grades.size() < grades) {
            const QString text = word(between(1, 12));
            if (!texts.insert(text).second) {
                continue;
            }
            const bool worst = key.grades.size() + 1 == grades;
            key.grades.push_back(
                {text, worst ? std::nullopt : std::optional(grading::boundFromHundredths(*bound++)),
                 between(-10000, 10000)});
        }
        if (between(0, 1) == 1) {
            key.firstWeak = static_cast<std::size_t>(between(0, static_cast<qint64>(grades) - 1));
            const char* limits[] = {"mehr als 1/3", "ab 1/3",          "mehr als 33,33 %",
                                    "ab 0,01 %",    "mehr als 99.99%", "ab 7/100"};
            if (between(0, 2) == 0) {
                key.approval =
                    grading::approvalFromFileText(limits[between(0, std::size(limits) - 1)]).limit;
            }
        }
        keys.push_back(grading::withOwnHeadings(key));
    }
    return keys;
}
