// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <ostream>
#include <string>

// Lets gtest print a QString as text in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Turns a row name such as "14 und 8,4" into a name gtest accepts ("14_und_8_4").
inline std::string testName(std::string name) {
    for (char& c : name) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) {
            c = '_';
        }
    }
    return name;
}

#define ROW_NAMES                                                                                  \
    [](const auto& row) {                                                                          \
        return testName(row.param.name);                                                           \
    }
