// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The settings file is Windows-1252 on every platform, so that a file carried between Windows,
// Linux and macOS reads the same everywhere; where a text holds a character the code page lacks,
// it is saved as UTF-8 behind a byte-order mark instead. Key files written by older Windows editors
// come in this code page too. Qt reaches it only through ICU, which not every Qt build has; the
// table is small enough to hold here.
namespace settings {

// nullopt when a character has no place in the code page.
std::optional<QByteArray> encodeWindows1252(const QString& text);
// nullopt when a byte is one of the five the code page leaves undefined.
std::optional<QString> decodeWindows1252(const QByteArray& bytes);

} // namespace settings
