// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace settings {

// Why the system refused to write a file, as far as its own error text tells.
enum class WriteFailure { DiskFull, QuotaExceeded, FileTooLarge, InUse, Other };

// `systemError` is what Qt reported for the failed write or replace (QFileDevice::errorString).
WriteFailure writeFailureFrom(const QString& systemError);

} // namespace settings
