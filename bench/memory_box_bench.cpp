// SPDX-License-Identifier: GPL-3.0-or-later
// Time from choosing "Noten-Speicher anzeigen" until the box has painted its text, with 10,
// 10,000 and 100,000 entries in the grade memory, Notenspiegel included; and the time to take
// one entry out, and all of them and back, also with 40 tasks each; and writing the exam sheet as
// a PDF. Runs headless
// (offscreen) unless QT_QPA_PLATFORM says else. Also one edit in the key editor.
#include "grading/TaskSum.h"
#include "sheet/ExamSheet.h"
#include "tests/support/SampleSheet.h"
#include "window/GradeMemoryBox.h"
#include "window/KeyEditor.h"
#include "window/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

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

// The i-th result of an exam of 40 tasks of 1 to 4 points, typed task by task: a task analysis of
// the whole memory.
grading::Score fortyTasks(int64_t i) {
    grading::Score score{{100.0, {}}, 0, {}, {}};
    for (int task = 0; task < grading::mostTasks; ++task) {
        score.taskMaxima.push_back(100 * (1 + task % 4));
        score.taskPoints.push_back(static_cast<qint32>((i * 7 + task * 13) % 5) * 25 *
                                   (1 + task % 4));
        score.achieved += score.taskPoints.back() / 100.0;
    }
    return score;
}

// From making the box over 100,000 results of 40 tasks each until it has painted its list, the
// task analysis under the Notenspiegel included.
void BM_ShowGradeMemoryFortyTasks(benchmark::State& state) {
    const grading::Keys keys(QLocale::c());
    grading::NotenSpeicher memory;
    for (int64_t i = 0; i < 100'000; ++i) {
        memory.append("50,0 %", keys.gym(), 10, fortyTasks(i));
    }
    FirstPaint probe;
    qApp->installEventFilter(&probe);
    for (auto _ : state) {
        probe.nanoseconds = -1;
        probe.clock.start();
        GradeMemoryBox box(memory, "100", keys.gym(), nullptr,
                           QLocale(QLocale::German, QLocale::Germany));
        box.exec(); // returns once the probe has closed the box
        state.SetIterationTime(static_cast<double>(probe.nanoseconds) / 1e9);
    }
    qApp->removeEventFilter(&probe);
}
BENCHMARK(BM_ShowGradeMemoryFortyTasks)->UseManualTime()->Unit(benchmark::kMillisecond);

// A box open on `entries` results, with 40 tasks each where asked, active, so that its keys work
// as the user's do.
class OpenBox {
public:
    explicit OpenBox(int64_t entries, bool tasks = false) {
        for (int64_t i = 0; i < entries; ++i) {
            m_memory.append(QString::number(i) + " %", m_keys.gym(), 10,
                            tasks ? fortyTasks(i) : grading::Score{});
        }
        m_box = std::make_unique<GradeMemoryBox>(m_memory, "40", m_keys.gym(), nullptr,
                                                 QLocale(QLocale::German, QLocale::Germany));
        m_box->show();
        m_box->activateWindow();
        if (!QTest::qWaitForWindowActive(m_box.get())) {
            qFatal("the box did not become active");
        }
        lines = m_box->findChild<QListView*>();
        lines->setFocus();
    }
    std::size_t size() const { return m_memory.size(); }

    QListView* lines = nullptr;

private:
    grading::Keys m_keys{QLocale::c()};
    grading::NotenSpeicher m_memory;
    std::unique_ptr<GradeMemoryBox> m_box;
};

// One key press, and the list and the Notenspiegel repainting after it.
double secondsFor(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(target, key, modifiers);
    QApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// Taking one entry out of the middle of the grade memory with the Delete key, box open; Ctrl+Z
// puts it back, timed on its own.
void BM_RemoveOneEntry(benchmark::State& state) {
    OpenBox box(state.range(0), state.range(1) > 0);
    const QModelIndex middle = box.lines->model()->index(static_cast<int>(state.range(0) / 2), 0);
    double undoing = 0;
    for (auto _ : state) {
        box.lines->setCurrentIndex(middle);
        state.SetIterationTime(secondsFor(box.lines, Qt::Key_Delete));
        undoing += secondsFor(box.lines, Qt::Key_Z, Qt::ControlModifier);
    }
    state.counters["undo_ms"] =
        benchmark::Counter(undoing * 1e3, benchmark::Counter::kAvgIterations);
    if (box.size() != static_cast<std::size_t>(state.range(0))) {
        state.SkipWithError("Ctrl+Z did not put the entry back");
    }
}
BENCHMARK(BM_RemoveOneEntry)
    ->Args({10'000, 0})
    ->Args({100'000, 0})
    ->Args({100'000, grading::mostTasks})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Ctrl+A and Delete on the whole session, then Ctrl+Z: each timed on its own.
void BM_RemoveAllThenUndo(benchmark::State& state) {
    OpenBox box(state.range(0));
    double removing = 0;
    double undoing = 0;
    for (auto _ : state) {
        QTest::keyClick(box.lines, Qt::Key_A, Qt::ControlModifier);
        const double remove = secondsFor(box.lines, Qt::Key_Delete);
        const double undo = secondsFor(box.lines, Qt::Key_Z, Qt::ControlModifier);
        removing += remove;
        undoing += undo;
        state.SetIterationTime(remove + undo);
    }
    state.counters["remove_ms"] =
        benchmark::Counter(removing * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["undo_ms"] =
        benchmark::Counter(undoing * 1e3, benchmark::Counter::kAvgIterations);
    if (box.size() != static_cast<std::size_t>(state.range(0))) {
        state.SkipWithError("Ctrl+Z did not put the entries back");
    }
}
BENCHMARK(BM_RemoveAllThenUndo)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The exam sheet of a session of 100,000 results under GYM and IHK, as "Als PDF speichern..."
// writes it: key table, charts, counts and averages.
void BM_ExamSheetPdf(benchmark::State& state) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const grading::Keys keys(german);
    grading::NotenSpeicher memory;
    for (int64_t i = 0; i < state.range(0); ++i) {
        memory.append("50,0 %", i % 2 == 0 ? keys.gym() : keys.ihk(),
                      static_cast<std::size_t>(i % 6), {});
    }
    const ExamSheet sheet = sampleSheet(memory, keys, german);
    for (auto _ : state) {
        benchmark::DoNotOptimize(examSheetPdf(sheet, german));
    }
}
BENCHMARK(BM_ExamSheetPdf)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The sheet of 1,000 results of an exam of 40 tasks: GYM's blocks and the task analysis, whose
// table takes a page of its own. Target: under 300 ms.
void BM_ExamSheetFortyTasks(benchmark::State& state) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const grading::Keys keys(german);
    grading::NotenSpeicher memory;
    for (int64_t i = 0; i < 1000; ++i) {
        memory.append("50,0 %", keys.gym(), static_cast<std::size_t>(i % 16), fortyTasks(i));
    }
    const ExamSheet sheet = sampleSheet(memory, keys, german);
    for (auto _ : state) {
        benchmark::DoNotOptimize(examSheetPdf(sheet, german));
    }
}
BENCHMARK(BM_ExamSheetFortyTasks)->Unit(benchmark::kMillisecond);

// The sheet for four own keys of 30 grades of twelve characters, each with an approval limit,
// its own key table for 40 points and its Notenspiegel of 1,000 results. Target: under 300 ms.
void BM_ExamSheetFourThirtyGradeKeys(benchmark::State& state) {
    const QLocale german(QLocale::German, QLocale::Germany);
    std::vector<grading::GradingKey> own;
    for (int k = 0; k < 4; ++k) {
        grading::GradingKey key{QStringLiteral("Dreißig %1").arg(k), {}, 20, {}, {}, {}};
        for (int grade = 0; grade < 30; ++grade) {
            key.grades.push_back({QStringLiteral("Stufe%1abcde").arg(grade, 2, 10, QChar(u'0')),
                                  grade < 29 ? std::optional<double>(99 - grade * 3) : std::nullopt,
                                  grade * 10});
        }
        key.approval = grading::approvalFromFileText(QStringLiteral("mehr als 1/3")).limit;
        own.push_back(grading::withOwnHeadings(key));
    }
    const grading::Keys keys(german, own);
    grading::NotenSpeicher memory;
    for (int i = 0; i < 4000; ++i) {
        memory.append("50,0 %", keys.all()[2 + static_cast<std::size_t>(i % 4)],
                      static_cast<std::size_t>(i % 30), {});
    }
    const ExamSheet sheet = sampleSheet(memory, keys, german);
    for (auto _ : state) {
        benchmark::DoNotOptimize(examSheetPdf(sheet, german));
    }
}
BENCHMARK(BM_ExamSheetFourThirtyGradeKeys)->Unit(benchmark::kMillisecond);

// One edit in the key editor, a bound of the sixteen-grade preset typed anew, until the editor
// has checked the key, rebuilt the live key table for the maximum (halves shown for 99,5) and
// painted itself.
void BM_EditorKeyTableAfterAnEdit(benchmark::State& state) {
    QTemporaryDir dir;
    const QLocale german(QLocale::German, QLocale::Germany);
    settings::KeyStore keys(german, [&] { return dir.filePath("Zensulino-Notenschlüssel.txt"); });
    KeyEditor editor(keys, "99,5", "GYM", german, nullptr);
    editor.show();
    QAbstractItemModel* grades = nullptr;
    for (auto* table : editor.findChildren<QTableView*>()) {
        grades = table->accessibleName() == "Noten" ? table->model() : grades;
    }
    const QModelIndex bound = grades->index(4, 1);
    bool odd = false;
    for (auto _ : state) {
        grades->setData(bound, (odd = !odd) ? "76" : "74"); // between its neighbours' 80 and 70
        editor.repaint();
    }
}
BENCHMARK(BM_EditorKeyTableAfterAnEdit)->Unit(benchmark::kMillisecond);

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
