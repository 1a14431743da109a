// SPDX-License-Identifier: GPL-3.0-or-later
// ns per "Berechnen" against the model window, ns per grade-memory append at several sizes, and
// the time one key table takes (argument 0: a maximum of 1E+30).
#include "grading/Calculation.h"
#include "grading/KeyTable.h"
#include "grading/NotenSpeicher.h"
#include "tests/support/ModelWindow.h"

#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

void BM_Calculate(benchmark::State& state) {
    const QLocale german(QLocale::German, QLocale::Germany);
    ModelWindow window;
    window.setText(grading::Field::Rohpunkte, "40");
    window.setText(grading::Field::Punkte, "35,5");
    grading::NotenSpeicher memory;
    for (auto _ : state) {
        grading::calculate(window, memory, german);
        if (memory.size() > 100'000) {
            state.PauseTiming();
            memory.clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_Calculate);

// ns per append while the memory holds between n and 2n entries; refilling happens untimed.
void BM_Append(benchmark::State& state) {
    const auto entries = state.range(0);
    grading::NotenSpeicher memory;
    auto refill = [&] {
        memory.clear();
        for (int64_t i = 0; i < entries; ++i) {
            memory.append("87,5", "13", grading::GradingKey::GYM, 13);
        }
    };
    refill();
    int64_t appended = 0;
    for (auto _ : state) {
        memory.append("45,0", "5", grading::GradingKey::IHK, 5);
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
    for (auto _ : state) {
        benchmark::DoNotOptimize(grading::keyTable(grading::GradingKey::GYM, maximum, 0.5));
        benchmark::DoNotOptimize(grading::keyTable(grading::GradingKey::IHK, maximum, 1.0));
    }
}
BENCHMARK(BM_KeyTable)->Arg(40)->Arg(1'000'000)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
