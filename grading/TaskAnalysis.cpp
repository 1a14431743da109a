// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/TaskAnalysis.h"

#include "grading/Numbers.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace grading {

namespace {

bool sameTasks(const TaskAnalysis::Summary& summary, const TaskPoints& maxima) {
    return std::equal(
        summary.tasks.begin(), summary.tasks.end(), maxima.begin(), maxima.end(),
        [](const TaskAnalysis::Task& task, qint32 maximum) { return task.maximum == maximum; });
}

// points ÷ (results × maximum) in percent with one decimal, halves away from zero.
QString rateOf(Wide points, qint64 results, qint64 maximum, const QLocale& locale) {
    const auto tenths = static_cast<qint64>(
        roundedUnits(points * 100, Wide{results} * maximum, 1, Rounding::HalvesAwayFromZero));
    return decimalText(tenths, 1, locale) + QStringLiteral(" %");
}

QString meanOf(Wide points, qint64 results, const QLocale& locale) {
    return decimalText(
        static_cast<qint64>(roundedUnits(points, results, 0, Rounding::HalvesAwayFromZero)), 2,
        locale);
}

Wide totalPoints(const TaskAnalysis::Summary& summary) {
    Wide total = 0;
    for (const TaskAnalysis::Task& task : summary.tasks) {
        total += task.points;
    }
    return total;
}

} // namespace

TaskAnalysis::Tally* TaskAnalysis::tallyFor(const Score& score) {
    const auto tally = std::find_if(m_tallies.begin(), m_tallies.end(), [&](const Tally& t) {
        return sameTasks(t.summary, score.taskMaxima);
    });
    return tally == m_tallies.end() ? nullptr : &*tally;
}

void TaskAnalysis::count(Tally& tally, const Score& score, int times) {
    bool allFull = true;
    for (std::size_t task = 0; task < score.taskPoints.size(); ++task) {
        Task& counted = tally.summary.tasks[task];
        counted.points += Wide{score.taskPoints[task]} * times;
        const bool full = score.taskPoints[task] >= counted.maximum;
        counted.full += full ? times : 0;
        allFull = allFull && full;
    }
    tally.summary.results += times;
    tally.summary.fullTotal += allFull ? times : 0;
}

void TaskAnalysis::add(const Score& score, quint64 graded) {
    if (score.taskPoints.empty() || score.taskPoints.size() != score.taskMaxima.size()) {
        return;
    }
    Tally* tally = tallyFor(score);
    if (tally == nullptr) {
        Tally made;
        for (const qint32 maximum : score.taskMaxima) {
            made.summary.tasks.push_back({maximum, 0, 0});
        }
        m_tallies.push_back(std::move(made));
        tally = &m_tallies.back();
    }
    count(*tally, score, 1);
    tally->graded.insert(graded);
}

void TaskAnalysis::remove(const Score& score, quint64 graded) {
    Tally* tally = score.taskPoints.empty() ? nullptr : tallyFor(score);
    if (tally == nullptr || tally->graded.erase(graded) == 0) {
        return;
    }
    count(*tally, score, -1);
    // An exam without results has no analysis, and none of its place in the order.
    if (tally->summary.results == 0) {
        m_tallies.erase(m_tallies.begin() + (tally - m_tallies.data()));
    }
}

void TaskAnalysis::clear() {
    m_tallies.clear();
}

std::vector<TaskAnalysis::Summary> TaskAnalysis::summaries() const {
    std::vector<const Tally*> inOrder;
    for (const Tally& tally : m_tallies) {
        inOrder.push_back(&tally);
    }
    std::sort(inOrder.begin(), inOrder.end(), [](const Tally* left, const Tally* right) {
        return *left->graded.begin() < *right->graded.begin();
    });
    std::vector<Summary> summaries;
    for (const Tally* tally : inOrder) {
        summaries.push_back(tally->summary);
    }
    return summaries;
}

TaskPoints taskMaxima(const TaskAnalysis::Summary& summary) {
    TaskPoints maxima;
    for (const TaskAnalysis::Task& task : summary.tasks) {
        maxima.push_back(task.maximum);
    }
    return maxima;
}

QString analysisCaption(const TaskAnalysis::Summary& summary, const QLocale& locale) {
    return QStringLiteral("Aufgaben (%1), %2 %3")
        .arg(taskSumText(taskMaxima(summary), locale), countText(summary.results, locale),
             summary.results == 1 ? QStringLiteral("Arbeit") : QStringLiteral("Arbeiten"));
}

QString wrappableCaption(const TaskAnalysis::Summary& summary, const QLocale& locale) {
    return analysisCaption(summary, locale).replace(u'+', QStringLiteral("+\u200B"));
}

QString rateText(const TaskAnalysis::Task& task, qint64 results, const QLocale& locale) {
    return rateOf(task.points, results, task.maximum, locale);
}

std::vector<std::size_t> hardestTasks(const TaskAnalysis::Summary& summary) {
    // a/m below b/n exactly where a·n is below b·m; the results count alike on both sides.
    auto lower = [&](std::size_t left, std::size_t right) {
        const TaskAnalysis::Task& a = summary.tasks[left];
        const TaskAnalysis::Task& b = summary.tasks[right];
        return a.points * b.maximum < b.points * a.maximum;
    };
    std::vector<std::size_t> hardest;
    for (std::size_t task = 0; task < summary.tasks.size(); ++task) {
        if (hardest.empty() || lower(task, hardest.front())) {
            hardest = {task};
        } else if (!lower(hardest.front(), task)) {
            hardest.push_back(task);
        }
    }
    return hardest;
}

std::vector<std::size_t> standingOut(const TaskAnalysis::Summary& summary) {
    std::vector<std::size_t> hardest = hardestTasks(summary);
    if (hardest.size() == summary.tasks.size()) {
        hardest.clear();
    }
    return hardest;
}

QString hardestSentence(const TaskAnalysis::Summary& summary, const QLocale& locale) {
    const std::vector<std::size_t> hardest = hardestTasks(summary);
    if (hardest.empty()) {
        return {};
    }
    QStringList numbers;
    for (const std::size_t task : hardest) {
        numbers << countText(static_cast<qint64>(task) + 1, locale);
    }
    return QStringLiteral("%1: %2 (%3)")
        .arg(hardest.size() == 1 ? QStringLiteral("Schwerste Aufgabe")
                                 : QStringLiteral("Schwerste Aufgaben"),
             numbers.join(QStringLiteral(", ")),
             rateText(summary.tasks[hardest.front()], summary.results, locale));
}

PasteTable taskTable(const TaskAnalysis::Summary& summary, const QLocale& locale) {
    PasteTable table{
        analysisCaption(summary, locale),
        {{QStringLiteral("Aufgabe"), QStringLiteral("Punkte"), QStringLiteral("Mittel"),
          QStringLiteral("Lösungsquote"), QStringLiteral("volle Punktzahl")}}};
    for (std::size_t number = 0; number < summary.tasks.size(); ++number) {
        const TaskAnalysis::Task& task = summary.tasks[number];
        table.rows.push_back(
            {countText(static_cast<qint64>(number) + 1, locale),
             taskPointsText(task.maximum, locale), meanOf(task.points, summary.results, locale),
             rateText(task, summary.results, locale), countText(task.full, locale)});
    }
    const qint64 maximum = totalHundredths(taskMaxima(summary));
    const Wide total = totalPoints(summary);
    table.rows.push_back({QStringLiteral("Gesamt"), decimalText(maximum, 2, locale, Zeros::Dropped),
                          meanOf(total, summary.results, locale),
                          rateOf(total, summary.results, maximum, locale),
                          countText(summary.fullTotal, locale)});
    return table;
}

std::vector<PasteTable> pasteTables(const std::vector<TaskAnalysis::Summary>& summaries,
                                    const QLocale& locale) {
    std::vector<PasteTable> tables;
    for (const TaskAnalysis::Summary& summary : summaries) {
        PasteTable table = taskTable(summary, locale);
        table.rows.push_back({hardestSentence(summary, locale)});
        tables.push_back(std::move(table));
    }
    return tables;
}

} // namespace grading
