// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileInUse.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace settings {

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

} // namespace settings
