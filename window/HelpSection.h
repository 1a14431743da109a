// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The handbook's sections that the program opens the help at, each a heading of the handbook.
enum class HelpSection {
    Start,
    FirstSteps,
    Keys,
    GradeMemory,
    KeyTable,
    Paper,
    Editor,
    ImportExport,
    TaskPoints
};

inline constexpr std::array allHelpSections{
    HelpSection::Start,       HelpSection::FirstSteps,   HelpSection::Keys,
    HelpSection::GradeMemory, HelpSection::KeyTable,     HelpSection::Paper,
    HelpSection::Editor,      HelpSection::ImportExport, HelpSection::TaskPoints};

QString heading(HelpSection section);
