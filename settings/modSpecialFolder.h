// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The user's documents folder, the one shell folder the program asks for.
inline constexpr int CSIDL_PERSONAL = 5;

// The file-system path of a shell folder, or the empty text when the folder is unknown.
QString GetSpecialFolder(int folderId);

// Makes `folder` where it is missing, only the folder itself: never a path into a share that is
// not mounted. Why it could not be made, in German; nothing where it stands.
std::optional<QString> makeFolder(const QString& folder);

// The documents folder, made where it is missing (a fresh Linux account has none), for a file
// dialog to open in; empty where no documents folder is known.
QString madeDocumentsFolder();
