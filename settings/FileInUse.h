// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace settings {

// True when another program holds the file open so that nobody else may write it, as cloud-sync
// clients, virus scanners and Excel do on Windows. Never on systems without such locks.
bool fileInUseByAnotherProgram(const QString& path);

} // namespace settings
