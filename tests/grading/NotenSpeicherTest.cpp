// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/NotenSpeicher.h"

#include "grading/Calculation.h"
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
    grading::calculate(window, memory, QLocale(QLocale::German, QLocale::Germany));
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
    grading::NotenSpeicher memory;
    memory.append("87,5", "13", grading::GradingKey::GYM, 13);
    memory.clear();
    EXPECT_EQ(memory.messageText(), "Folgende Noten wurden berechnet: \r");
    memory.append("45,0", "5", grading::GradingKey::IHK, 5);
    EXPECT_EQ(memory.entries(), "\r45,0 % = 5 (IHK)");
}

TEST(NotenSpeicher, KeepsDuplicatesInOrder) {
    grading::NotenSpeicher memory;
    for (int i = 0; i < 3; ++i) {
        memory.append("50,0", "06", grading::GradingKey::GYM, 6);
    }
    EXPECT_EQ(memory.entries(), QString("\r50,0 % = 06 (GYM)").repeated(3));
}

} // namespace
