// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "settings/KeyFile.h"

#include <functional>

class QLocale;

namespace settings {

// Every key the program knows, and the one reader and writer of the key file: the window grades
// by these keys, and the editor changes them through this owner alone. GYM and IHK are built
// once; the own keys are those the key file held when it was last read or written.
class KeyStore {
public:
    // `keyFilePath` is asked anew for every read and write.
    KeyStore(const QLocale& locale, std::function<QString()> keyFilePath);

    const grading::Keys& keys() const { return m_keys; }
    QString path() const { return m_path(); }

    // Reads the key file anew; its valid keys become the own keys.
    KeyFileLoad reload();
    // Writes `own` as the key file through the save route; they are the own keys once written.
    // Empty on success, else the German message, and the file and the keys stay as they were.
    QString save(const std::vector<grading::GradingKey>& own);
    // The key file as it is now, kept beside it before a write that drops what did not load.
    KeptCopy keepCopy() const;

private:
    std::function<QString()> m_path;
    grading::Keys m_keys;
};

} // namespace settings
