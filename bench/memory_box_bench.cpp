// SPDX-License-Identifier: GPL-3.0-or-later
// Time from choosing "Noten-Speicher anzeigen" until the box has painted its text, with 10,
// 10,000 and 100,000 entries in the grade memory, Notenspiegel included; and the time to take
// one entry out. Runs headless (offscreen) unless QT_QPA_PLATFORM says else.
#include "window/GradeMemoryBox.h"
#include "window/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
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

// Taking one entry out of the middle of the grade memory with the Delete key, box open; Ctrl+Z
// puts it back, untimed.
void BM_RemoveOneEntry(benchmark::State& state) {
    grading::NotenSpeicher memory;
    for (int64_t i = 0; i < state.range(0); ++i) {
        memory.append(QString::number(i), "05", grading::GradingKey::GYM, 5);
    }
    GradeMemoryBox box(memory, "40", "GYM", nullptr, QLocale(QLocale::German, QLocale::Germany));
    box.show();
    QApplication::processEvents();
    auto* lines = box.findChild<QListView*>();
    const QModelIndex middle = lines->model()->index(static_cast<int>(state.range(0) / 2), 0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
    QElapsedTimer clock;
    for (auto _ : state) {
        lines->setCurrentIndex(middle);
        clock.start();
        QApplication::sendEvent(lines, &press);
        QApplication::processEvents(); // the list and the Notenspiegel repaint
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        QApplication::sendEvent(lines, &undo);
        QApplication::processEvents();
    }
    if (memory.size() != static_cast<std::size_t>(state.range(0))) {
        state.SkipWithError("Ctrl+Z did not put the entry back");
    }
}
BENCHMARK(BM_RemoveOneEntry)
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
