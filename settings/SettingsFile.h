// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsLine.h"

#include <QString>

namespace settings {

// Five texts of the line edits' 32,767 characters stay well below this in either encoding;
// anything larger is not ours.
inline constexpr qint64 maximumFileSize = 1024 * 1024;

// "Zensulino.ini" in the user's documents folder, worked out anew on every call; where the
// desktop names no documents folder, in "Documents" in the home folder.
QString settingsFilePath();

struct LoadResult {
    enum class Status { Missing, Loaded, Unreadable };
    Status status = Status::Missing;
    StoredTexts texts;
    QString message; // German, for the user, when Unreadable
};

// A missing file is normal. A file that cannot be read whole changes nothing and says why.
LoadResult loadSettings(const QString& path);

// Through the one save route of every file the program writes; a failed save leaves the former
// file as it was. Returns a German message for the user when nothing was saved; empty on success.
QString saveSettings(const QString& path, const StoredTexts& texts);

} // namespace settings
