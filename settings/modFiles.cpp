// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/modFiles.h"

#include <QFileInfo>

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}
