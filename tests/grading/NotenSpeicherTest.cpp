// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/NotenSpeicher.h"

#include "grading/Calculation.h"
#include "tests/support/GTestSupport.h"
#include "tests/support/ModelWindow.h"

#include <QLocale>
#include <gtest/gtest.h>

using grading::Field;

namespace {

void calculate(ModelWindow& window, grading::NotenSpeicher& memory, const QString& maximum,
               const QString& achieved, const QString& key) {
    window.setText(Field::Rohpunkte, maximum);
    window.setText(Field::Punkte, achieved);
    window.setText(Field::Schluessel, key);
    const QLocale german(QLocale::German, QLocale::Germany);
    grading::calculate(window, memory, grading::Keys(german), german);
}

TEST(NotenSpeicher, EmptyMemoryShowsTheHeadingAlone) {
    grading::NotenSpeicher memory;
    EXPECT_EQ(memory.messageText(), "Folgende Noten wurden berechnet: \r");
    EXPECT_EQ(grading::NotenSpeicher::title(), "Noten-Speicher");
}

TEST(NotenSpeicher, KeepsEachEntryWithTheKeyInForceByteForByte) {
    ModelWindow window;
    grading::NotenSpeicher memory;
    calculate(window, memory, "40", "35", "GYM");
    calculate(window, memory, "40", "18", "IHK");
    calculate(window, memory, "40", "abc", "IHK"); // stopped by validation: no entry
    calculate(window, memory, "40", "38", "GYM");

    EXPECT_EQ(memory.entries(), "\r87,5 % = 13 (GYM)\r45,0 % = 5 (IHK)\r95,0 % = 15 (GYM)");
    EXPECT_EQ(memory.messageText().toUtf8(),
              QByteArray("Folgende Noten wurden berechnet: \r\r87,5 % = 13 (GYM)"
                         "\r45,0 % = 5 (IHK)\r95,0 % = 15 (GYM)"));
}

TEST(NotenSpeicher, ClearEmptiesTheMemory) {
    const grading::Keys keys(QLocale::c());
    grading::NotenSpeicher memory;
    memory.append("87,5 %", keys.gym(), 2, {});
    memory.clear();
    EXPECT_EQ(memory.messageText(), "Folgende Noten wurden berechnet: \r");
    memory.append("45,0 %", keys.ihk(), 4, {});
    EXPECT_EQ(memory.entries(), "\r45,0 % = 5 (IHK)");
}

TEST(NotenSpeicher, KeepsDuplicatesInOrder) {
    const grading::Keys keys(QLocale::c());
    grading::NotenSpeicher memory;
    for (int i = 0; i < 3; ++i) {
        memory.append("50,0 %", keys.gym(), 9, {});
    }
    EXPECT_EQ(memory.entries(), QString("\r50,0 % = 06 (GYM)").repeated(3));
}

// Five entries of 15, 10, 05, 01 and 00 points; some taken out, then put back.
struct RemovalRow {
    std::string name;
    std::vector<std::size_t> places;
    QString left;    // the points of what stays, in order
    QString removed; // the places taken out, ascending
};

class Removal : public testing::TestWithParam<RemovalRow> {};

TEST_P(Removal, TakesOutWhatIsNamedOnceAndRestoreGivesTheSessionBack) {
    const grading::Keys keys(QLocale::c());
    grading::NotenSpeicher memory;
    for (const std::size_t grade : {0, 5, 10, 14, 15}) { // 15, 10, 05, 01 and 00 points
        memory.append("0,0 %", keys.gym(), grade, {});
    }
    const auto counts = [&] {
        return grading::tabSeparated(
            grading::pasteTables(memory.notenspiegel().summaries(), QLocale::c()), false);
    };
    const QString before = counts();

    const grading::NotenSpeicher::Removed removed = memory.remove(GetParam().places);
    QStringList left;
    for (std::size_t place = 0; place < memory.size(); ++place) {
        left << memory.at(place).key->grades[memory.at(place).grade].text;
    }
    QStringList places;
    for (const auto& taken : removed) {
        places << QString::number(taken.place);
    }
    EXPECT_EQ(left.join(' '), GetParam().left);
    EXPECT_EQ(places.join(' '), GetParam().removed);
    const auto summaries = memory.notenspiegel().summaries();
    EXPECT_EQ(summaries.empty() ? 0 : summaries.front().results,
              static_cast<qint64>(memory.size()));

    memory.restore(removed);
    EXPECT_EQ(memory.entries(), "\r0,0 % = 15 (GYM)\r0,0 % = 10 (GYM)\r0,0 % = 05 (GYM)"
                                "\r0,0 % = 01 (GYM)\r0,0 % = 00 (GYM)");
    EXPECT_EQ(counts(), before);
}

INSTANTIATE_TEST_SUITE_P(Places, Removal,
                         testing::Values(RemovalRow{"nothing", {}, "15 10 05 01 00", ""},
                                         RemovalRow{"unsorted_runs", {4, 1, 3, 0}, "05", "0 1 3 4"},
                                         RemovalRow{"twice_named", {2, 2, 2}, "15 10 01 00", "2"},
                                         RemovalRow{"past_the_end", {5, 1, 99}, "15 05 01 00", "1"},
                                         RemovalRow{"all", {0, 1, 2, 3, 4}, "", "0 1 2 3 4"}),
                         ROW_NAMES);

} // namespace
