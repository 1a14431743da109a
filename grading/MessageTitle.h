// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace grading {

// The title of each message box the program shows; the handbook explains every one of them.
enum class MessageTitle {
    InputError,
    Settings,
    Keys,
    KeyEditor,
    About,
    Printing,
    SavingPdf,
    SavingCsv
};

inline constexpr std::array allMessageTitles{MessageTitle::InputError, MessageTitle::Settings,
                                             MessageTitle::Keys,       MessageTitle::KeyEditor,
                                             MessageTitle::About,      MessageTitle::Printing,
                                             MessageTitle::SavingPdf,  MessageTitle::SavingCsv};

QString messageTitle(MessageTitle title);

} // namespace grading
