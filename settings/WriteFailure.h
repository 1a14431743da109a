// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace settings {

// Why the system refused to write a file, as far as its own error text tells.
enum class WriteFailure { DiskFull, QuotaExceeded, FileTooLarge, InUse, Other };

// `systemError` is what Qt reported for the failed write or replace (QFileDevice::errorString).
WriteFailure writeFailureFrom(const QString& systemError);

// True when another program holds the file open so that nobody else may write it, as cloud-sync
// clients, virus scanners and Excel do on Windows. Never on systems without such locks.
bool fileInUseByAnotherProgram(const QString& path);

// Runs a save with SIGXFSZ ignored where the system has it: a file-size limit then fails the
// write, which the save reports, instead of ending the program and the session's grade memory.
class FileSizeLimitAsError {
public:
    FileSizeLimitAsError();
    ~FileSizeLimitAsError();
    FileSizeLimitAsError(const FileSizeLimitAsError&) = delete;
    FileSizeLimitAsError& operator=(const FileSizeLimitAsError&) = delete;

private:
    void (*m_former)(int) = nullptr;
};

} // namespace settings
