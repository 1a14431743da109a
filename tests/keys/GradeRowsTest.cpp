// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/GradeRows.h"

#include <QAbstractItemModelTester>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

QStringList warnings;

void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        warnings << message;
    }
}

// Rows added, removed, typed into and shown anew at random, watched by Qt's model tester: the
// model keeps Qt's rules, and the weak grade stays with its grade; where its row goes, the grade
// after it is the first weak one.
TEST(GradeRows, KeepQtsModelRulesAndTheWeakGradeWithItsGrade) {
    warnings.clear();
    struct Handler {
        QtMessageHandler before = qInstallMessageHandler(keepWarning);
        ~Handler() { qInstallMessageHandler(before); }
    } handler;
    keys::GradeRows rows;
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Warning);
    std::mt19937 draw(20261208);
    // Each row as the test knows it, by a number of its own, and the weak grade's number.
    std::vector<int> known;
    std::optional<int> weak;
    int made = 0;
    for (int step = 0; step < 3000 && warnings.isEmpty(); ++step) {
        const int count = rows.rowCount();
        const int row = count > 0 ? static_cast<int>(draw() % static_cast<unsigned>(count)) : 0;
        const auto at = static_cast<std::ptrdiff_t>(row);
        switch (draw() % 5) {
        case 0: { // a key shown
            std::vector<keys::KeyFormRow> shown(draw() % 8);
            known.clear();
            for (keys::KeyFormRow& grade : shown) {
                grade = {QString::number(++made), QStringLiteral("50"), QStringLiteral("1")};
                known.push_back(made);
            }
            const std::size_t chosen = draw() % (shown.size() + 1);
            rows.show(shown, chosen < shown.size() ? std::optional(chosen) : std::nullopt);
            weak = chosen < shown.size() ? std::optional(known[chosen]) : std::nullopt;
            break;
        }
        case 1: {
            const int place = count > 0 ? row + static_cast<int>(draw() % 2) : 0;
            const int added = 1 + static_cast<int>(draw() % 3);
            ASSERT_TRUE(rows.insertRows(place, added));
            for (int n = 0; n < added; ++n) {
                known.insert(known.begin() + place, ++made);
            }
            break;
        }
        case 2:
            if (count > 0) {
                const int removed = 1 + static_cast<int>(draw() % 2);
                const bool fits = row + removed <= count;
                EXPECT_EQ(rows.removeRows(row, removed), fits);
                if (fits) {
                    const bool weakGone =
                        weak && std::find(known.begin() + at, known.begin() + at + removed,
                                          *weak) != known.begin() + at + removed;
                    known.erase(known.begin() + at, known.begin() + at + removed);
                    if (weakGone) {
                        weak = at < std::ssize(known) ? std::optional(known[row]) : std::nullopt;
                    }
                }
            }
            break;
        case 3: // typed into, the grade's text cleared now and then
            if (count > 0) {
                const int column = static_cast<int>(draw() % 3);
                const QString text = draw() % 4 == 0 ? QString() : QString::number(draw());
                ASSERT_TRUE(rows.setData(rows.index(row, column), text));
                EXPECT_EQ(rows.data(rows.index(row, column)), text);
            }
            break;
        case 4:
            if (count > 0) {
                rows.setFirstWeak(static_cast<std::size_t>(row));
                weak = known[static_cast<std::size_t>(row)];
            }
            break;
        }
        const auto first = rows.firstWeak();
        ASSERT_EQ(first ? std::optional(known[*first]) : std::nullopt, weak) << "step " << step;
    }
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

} // namespace
