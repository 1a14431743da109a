// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// True when something of that name exists: a file, a folder or anything else.
bool FileExists(const QString& path);
