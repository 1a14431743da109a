// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/KeyPresets.h"

#include <initializer_list>
#include <utility>

namespace keys {

using namespace grading;

namespace {

struct PresetGrade {
    const char* text;
    std::optional<double> bound; // none for the worst grade
    int value;
};

GradingKey preset(const char* name, std::initializer_list<PresetGrade> grades,
                  const char* firstWeak, Scale scale = Scale::Points) {
    GradingKey key{QString::fromUtf8(name), {}, std::nullopt, {}, {}, {}};
    key.scale = scale;
    for (const PresetGrade& grade : grades) {
        const QString text = QString::fromUtf8(grade.text);
        if (text == QLatin1String(firstWeak)) {
            key.firstWeak = key.grades.size();
        }
        key.grades.push_back({text, grade.bound, qint64{grade.value}});
    }
    return withOwnHeadings(std::move(key));
}

} // namespace

std::vector<GradingKey> keyPresets(const Keys& keys) {
    std::vector<GradingKey> presets{
        preset("KMK Oberstufe (0–15)",
               {{"15", 95, 1500},
                {"14", 90, 1400},
                {"13", 85, 1300},
                {"12", 80, 1200},
                {"11", 75, 1100},
                {"10", 70, 1000},
                {"09", 65, 900},
                {"08", 60, 800},
                {"07", 55, 700},
                {"06", 50, 600},
                {"05", 45, 500},
                {"04", 40, 400},
                {"03", 33, 300},
                {"02", 27, 200},
                {"01", 20, 100},
                {"00", {}, 0}},
               "04"),
        preset("1 bis 6, 4 ab 40 %",
               {{"1", 85, 100},
                {"2", 70, 200},
                {"3", 55, 300},
                {"4", 40, 400},
                {"5", 20, 500},
                {"6", {}, 600}},
               "5"),
        // "+" is 0,3 better than the grade, "-" 0,3 worse.
        preset("1+ bis 6 mit Tendenzen",
               {{"1+", 99, 70},
                {"1", 93, 100},
                {"1-", 91, 130},
                {"2+", 89, 170},
                {"2", 83, 200},
                {"2-", 81, 230},
                {"3+", 76, 270},
                {"3", 70, 300},
                {"3-", 65, 330},
                {"4+", 60, 370},
                {"4", 55, 400},
                {"4-", 50, 430},
                {"5+", 42, 470},
                {"5", 33, 500},
                {"5-", 25, 530},
                {"6", {}, 600}},
               "5+"),
        preset("Österreich (1–5)",
               {{"1", 91, 100}, {"2", 81, 200}, {"3", 66, 300}, {"4", 51, 400}, {"5", {}, 500}},
               "5"),
        // Dictations are graded by the number of errors, up to so many for each grade.
        preset("Diktat, geübt (Fehlerzahl)",
               {{"1", 0, 100},
                {"2", 2, 200},
                {"3", 6, 300},
                {"4", 11, 400},
                {"5", 18, 500},
                {"6", {}, 600}},
               "5", Scale::Errors),
        preset("Diktat, ungeübt (Fehlerzahl)",
               {{"1", 1, 100},
                {"2", 4, 200},
                {"3", 8, 300},
                {"4", 13, 400},
                {"5", 20, 500},
                {"6", {}, 600}},
               "5", Scale::Errors),
        // Language tests: the errors per 100 words.
        preset("Fehlerquotient (1–6)",
               {{"1", 1, 100},
                {"2", 1.5, 200},
                {"3", 2.4, 300},
                {"4", 4, 400},
                {"5", 10, 500},
                {"6", {}, 600}},
               "5", Scale::ErrorsPer100Words),
    };
    for (const Key& builtIn : {keys.gym(), keys.ihk()}) {
        presets.push_back(*builtIn);
    }
    return presets;
}

} // namespace keys
