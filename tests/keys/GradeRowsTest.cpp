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
// model keeps Qt's rules, and the weak grade stays with its grade until its row goes or its text
// is cleared.
TEST(GradeRows, KeepQtsModelRulesAndTheWeakGradeWithItsGrade) {
    warnings.clear();
    const QtMessageHandler before = qInstallMessageHandler(keepWarning);
    keys::GradeRows rows;
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Warning);
    std::mt19937 draw(20261208);
    int made = 0;
    auto fresh = [&] {
        return QStringLiteral("g%1").arg(++made);
    };
    std::optional<QString> weak; // the text of the weak grade, as the teacher chose it
    for (int step = 0; step < 3000 && warnings.isEmpty(); ++step) {
        const int count = rows.rowCount();
        const int row = count > 0 ? static_cast<int>(draw() % static_cast<unsigned>(count)) : 0;
        switch (draw() % 6) {
        case 0: { // a new key shown
            std::vector<keys::KeyFormRow> shown;
            for (unsigned n = draw() % 8; n > 0; --n) {
                shown.push_back({fresh(), QStringLiteral("50"), QStringLiteral("1")});
            }
            const std::size_t chosen = draw() % (shown.size() + 1);
            rows.show(shown, chosen < shown.size() ? std::optional(chosen) : std::nullopt);
            weak = chosen < shown.size() ? std::optional(shown[chosen].grade) : std::nullopt;
            break;
        }
        case 1: {
            const int added = 1 + static_cast<int>(draw() % 3);
            ASSERT_TRUE(rows.insertRows(count > 0 ? row + static_cast<int>(draw() % 2) : 0, added));
            break;
        }
        case 2:
            if (count > 0) {
                const int removed = 1 + static_cast<int>(draw() % 2);
                EXPECT_EQ(rows.removeRows(row, removed), row + removed <= count);
                if (weak && std::none_of(rows.rows().begin(), rows.rows().end(),
                                         [&](const auto& left) { return left.grade == *weak; })) {
                    weak.reset();
                }
            }
            break;
        case 3:
            if (count > 0) {
                const QString text = draw() % 4 == 0 ? QStringLiteral(" ") : fresh();
                const QString old = rows.rows()[static_cast<std::size_t>(row)].grade;
                ASSERT_TRUE(rows.setData(rows.index(row, keys::GradeRows::Grade), text));
                if (weak == old) {
                    weak = text.trimmed().isEmpty() ? std::nullopt : std::optional(text);
                }
            }
            break;
        case 4:
            if (count > 0) {
                ASSERT_TRUE(rows.setData(rows.index(row, keys::GradeRows::From), fresh()));
            }
            break;
        case 5:
            if (count > 0 &&
                !rows.rows()[static_cast<std::size_t>(row)].grade.trimmed().isEmpty()) {
                rows.setFirstWeak(static_cast<std::size_t>(row));
                weak = rows.rows()[static_cast<std::size_t>(row)].grade;
            }
            break;
        }
        const auto first = rows.firstWeak();
        ASSERT_EQ(first ? std::optional(rows.rows()[*first].grade) : std::nullopt, weak)
            << "step " << step;
    }
    qInstallMessageHandler(before);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

} // namespace
