// SPDX-License-Identifier: GPL-3.0-or-later
// Time from choosing "Noten-Speicher anzeigen" until the box has painted its text, with 10,
// 10,000 and 100,000 entries in the grade memory, Notenspiegel included. Runs headless
// (offscreen) unless QT_QPA_PLATFORM says else.
#include "window/GradeMemoryBox.h"
#include "window/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// Notes when a grade-memory box first paints its text, then closes the box.
class FirstPaint : public QObject {
public:
    qint64 nanoseconds = -1;
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* viewport = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && nanoseconds < 0 && viewport != nullptr &&
            qobject_cast<QListView*>(viewport->parentWidget()) != nullptr) {
            nanoseconds = clock.nsecsElapsed();
            auto* box = qobject_cast<QDialog*>(viewport->window());
            QTimer::singleShot(0, box, &QDialog::accept);
        }
        return false;
    }
};

void BM_ShowGradeMemory(benchmark::State& state) {
    frmMain window(QLocale(QLocale::German, QLocale::Germany), [] { return QString(); });
    window.show();
    window.setText(grading::Field::Rohpunkte, "40");
    for (int64_t i = 0; i < state.range(0); ++i) {
        window.setText(grading::Field::Punkte, QString::number(i % 41));
        window.cmdCalc_Click();
    }
    QAction* show = window.contextMenu()->findChild<QAction*>("mnuCache");
    FirstPaint probe;
    qApp->installEventFilter(&probe);
    for (auto _ : state) {
        probe.nanoseconds = -1;
        probe.clock.start();
        show->trigger(); // returns once the probe has closed the box
        state.SetIterationTime(static_cast<double>(probe.nanoseconds) / 1e9);
    }
    qApp->removeEventFilter(&probe);
}
BENCHMARK(BM_ShowGradeMemory)
    ->Arg(10)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
