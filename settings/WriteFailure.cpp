// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/WriteFailure.h"

#include <csignal>
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

bool fileInUseByAnotherProgram(const QString& path) {
#ifdef Q_OS_WIN
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    }
    CloseHandle(file);
#else
    Q_UNUSED(path);
#endif
    return false;
}

#ifdef SIGXFSZ
FileSizeLimitAsError::FileSizeLimitAsError() : m_former(std::signal(SIGXFSZ, SIG_IGN)) {}

FileSizeLimitAsError::~FileSizeLimitAsError() {
    std::signal(SIGXFSZ, m_former);
}
#else
FileSizeLimitAsError::FileSizeLimitAsError() = default;
FileSizeLimitAsError::~FileSizeLimitAsError() = default;
#endif

} // namespace settings
