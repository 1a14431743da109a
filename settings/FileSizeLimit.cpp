// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileSizeLimit.h"

#include <csignal>

namespace settings {

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
