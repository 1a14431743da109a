// SPDX-License-Identifier: GPL-3.0-or-later
// Holds a file open without sharing, as cloud-sync clients, virus scanners and Excel do, until a
// second file appears or a minute has passed. Used by the Windows smoke test.
// Usage: hold_file.exe FILE RELEASE-FILE
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 2;
    }
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    for (int i = 0; i < 600 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(100);
    }
    CloseHandle(file);
    return 0;
}
