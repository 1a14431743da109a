// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace settings {

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
