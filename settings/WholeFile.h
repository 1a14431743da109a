// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace settings {

// A file the program keeps, read whole: its bytes, or why it cannot be read, worded to follow
// "…: " in a message ("Sie ist größer als 1 MiB").
struct WholeFile {
    std::optional<QByteArray> bytes;
    QString problem;
};

// Reads no more than maximumFileSize, and never waits on something that is no regular file.
WholeFile readWholeFile(const QString& path);

} // namespace settings
