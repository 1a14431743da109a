// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/WriteFailure.h"

#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#endif

namespace settings {

WriteFailure writeFailureFrom(const QString& systemError) {
    // Qt words a system error with qt_error_string, so the same call names each known cause.
    static const std::pair<int, WriteFailure> known[] = {
#ifdef Q_OS_WIN
        {ERROR_DISK_FULL, WriteFailure::DiskFull},
        {ERROR_HANDLE_DISK_FULL, WriteFailure::DiskFull},
        {ERROR_SHARING_VIOLATION, WriteFailure::InUse},
        {ERROR_LOCK_VIOLATION, WriteFailure::InUse},
#else
        {ENOSPC, WriteFailure::DiskFull},
        {EDQUOT, WriteFailure::QuotaExceeded},
        {EFBIG, WriteFailure::FileTooLarge},
#endif
    };
    for (const auto& [code, failure] : known) {
        if (systemError == qt_error_string(code)) {
            return failure;
        }
    }
    return WriteFailure::Other;
}

} // namespace settings
