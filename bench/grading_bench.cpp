// SPDX-License-Identifier: GPL-3.0-or-later
// ns per "Berechnen" against the model window (points, errors, errors per 100 words), ns per
// grade-memory append at several sizes, and the time one key table takes (argument 0: a maximum of
// 2^52), reading a full key file, and the CSV file of a large session.
#include "grading/Calculation.h"
#include "grading/KeyTable.h"
#include "grading/NotenSpeicher.h"
#include "settings/KeyFile.h"
#include "settings/KeyFileText.h"
#include "settings/ResultsCsv.h"
#include "tests/support/ModelWindow.h"
#include "tests/support/OwnKeys.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString fortyTasks(const char* each) {
    return QStringList(grading::mostTasks, QString::fromLatin1(each)).join(u'+');
}

// Argument 0: points under GYM; 1: errors under a dictation key; 2: errors in 499 words; 3: the
// maximum and the points as sums of 40 tasks.
void BM_Calculate(benchmark::State& state) {
    const QLocale german(QLocale::German, QLocale::Germany);
    ModelWindow window;
    window.setText(grading::Field::Rohpunkte, "40");
    window.setText(grading::Field::Punkte, "35,5");
    if (state.range(0) == 1) {
        window.setText(grading::Field::Schluessel, "Diktat");
        window.setText(grading::Field::Punkte, "2,5");
    }
    if (state.range(0) == 2) {
        window.setText(grading::Field::Schluessel, "Quotient");
        window.setText(grading::Field::Rohpunkte, "499");
        window.setText(grading::Field::Punkte, "12");
    }
    if (state.range(0) == 3) {
        window.setText(grading::Field::Rohpunkte, fortyTasks("12,5"));
        window.setText(grading::Field::Punkte, fortyTasks("7,25"));
    }
    const grading::Keys keys(german, {dictationKey(), quotientKey()});
    grading::NotenSpeicher memory;
    for (auto _ : state) {
        grading::calculate(window, memory, keys, german);
        if (memory.size() > 100'000) {
            state.PauseTiming();
            memory.clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_Calculate)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

// The CSV file of 100,000 results of 40 tasks each (target: below 300 ms).
void BM_ResultsCsv(benchmark::State& state) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const grading::Keys keys(german);
    grading::NotenSpeicher memory;
    grading::TaskPoints maxima(grading::mostTasks), points(grading::mostTasks);
    for (int result = 0; result < 100'000; ++result) {
        for (std::size_t task = 0; task < points.size(); ++task) {
            maxima[task] = 1250;
            points[task] = static_cast<qint32>((result * 7 + task * 25) % 1251);
        }
        memory.append(
            "77,8 %", keys.gym(), 4,
            {{grading::totalPoints(maxima), {}}, grading::totalPoints(points), maxima, points},
            grading::taskSumText(points, german));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings::resultsCsv(memory, german));
    }
}
BENCHMARK(BM_ResultsCsv)->Unit(benchmark::kMillisecond);

// ns per append while the memory holds between n and 2n entries; refilling happens untimed.
void BM_Append(benchmark::State& state) {
    const auto entries = state.range(0);
    const grading::Keys keys(QLocale::c());
    grading::NotenSpeicher memory;
    auto refill = [&] {
        memory.clear();
        for (int64_t i = 0; i < entries; ++i) {
            memory.append("87,5 %", keys.gym(), 2, {});
        }
    };
    refill();
    int64_t appended = 0;
    for (auto _ : state) {
        memory.append("45,0 %", keys.ihk(), 4, {});
        if (++appended == entries) {
            state.PauseTiming();
            refill();
            appended = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_Append)->Arg(10)->Arg(10'000)->Arg(100'000);

// One key table, both keys in turn: the largest maximum that still splits into half points
// (2^52) must cost what 40 costs.
void BM_KeyTable(benchmark::State& state) {
    const double maximum = state.range(0) == 0 ? 0x1p52 : static_cast<double>(state.range(0));
    const grading::Keys keys(QLocale::c());
    for (auto _ : state) {
        benchmark::DoNotOptimize(grading::keyTable(*keys.gym(), maximum, 0.5));
        benchmark::DoNotOptimize(grading::keyTable(*keys.ihk(), maximum, 1.0));
    }
}
BENCHMARK(BM_KeyTable)->Arg(40)->Arg(1'000'000)->Arg(0)->Unit(benchmark::kMicrosecond);

// Keys of 30 grades each, as a department may keep them.
std::vector<grading::GradingKey> manyKeys(int count) {
    std::vector<grading::GradingKey> keys;
    for (int k = 0; k < count; ++k) {
        grading::GradingKey key{QStringLiteral("Schlüssel %1").arg(k), {}, 20, {}, {}, {}};
        for (int g = 0; g < 30; ++g) {
            key.grades.push_back({QStringLiteral("Note %1").arg(g),
                                  g == 29 ? std::nullopt : std::optional<double>(99.5 - 3.25 * g),
                                  100 * g + 33});
        }
        keys.push_back(key);
    }
    return keys;
}

// Reading the key file at start-up, at its largest sensible size: 50 keys of 30 grades.
void BM_ReadKeyFile(benchmark::State& state) {
    const std::vector<grading::GradingKey> keys = manyKeys(50);
    QTemporaryDir dir;
    QFile file(dir.filePath("Zensulino-Notenschlüssel.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(settings::formatKeyFile(keys)) < 0) {
        state.SkipWithError("cannot write the key file");
        return;
    }
    file.close();
    for (auto _ : state) {
        const settings::KeyFileLoad loaded = settings::loadKeyFile(file.fileName());
        if (loaded.keys.size() != keys.size()) {
            state.SkipWithError("the key file did not load whole");
            break;
        }
    }
}
BENCHMARK(BM_ReadKeyFile)->Unit(benchmark::kMillisecond);

// One key saved into a department's file of 200 keys of 30 grades, in memory: decoded, the key's
// lines replaced, encoded again. Target: < 5 ms.
void BM_MergeOneKey(benchmark::State& state) {
    std::vector<grading::GradingKey> keys = manyKeys(200);
    const QByteArray bytes = settings::formatKeyFile(keys);
    grading::GradingKey changed = keys[100];
    changed.grades[0].text = QStringLiteral("sehr gut");
    for (auto _ : state) {
        std::optional<settings::KeyFileText> file = settings::KeyFileText::decode(bytes);
        file->putKey(changed.name, changed);
        benchmark::DoNotOptimize(file->bytes());
    }
}
BENCHMARK(BM_MergeOneKey)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
