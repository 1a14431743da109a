// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"
#include "settings/KeyFile.h"
#include "settings/KeyFileText.h"

#include <functional>

class QLocale;

namespace settings {

// Every key the program knows, and the one reader and writer of the key file: the window grades
// by these keys, and the editor changes them through this owner alone. GYM and IHK are built
// once; the own keys are those the key file held when it was last read or written. Keys that
// another program or a second window wrote in the meantime stay.
class KeyStore {
public:
    // `keyFilePath` is asked anew for every read and write.
    KeyStore(const QLocale& locale, std::function<QString()> keyFilePath);

    const grading::Keys& keys() const { return m_keys; }
    QString path() const { return m_path(); }

    // Reads the key file anew; its valid keys become the own keys.
    KeyFileLoad reload();
    struct Written {
        bool done = false; // false where the change was called off or the write failed
        QString problem;   // German, where the write failed; the file stays as it was
        QString copy;      // where the former file was kept, for a file written anew in UTF-8
    };
    // Every change starts from the key file as it is now: `change` is handed its text and the
    // keys it holds, changes what it concerns, or returns false to call the write off. The file
    // goes through the save route, and its keys are the own keys from then on. A file that came
    // as Windows-1252 is kept beside it as a copy first.
    using Change =
        std::function<bool(KeyFileText& file, const std::vector<grading::GradingKey>& onDisk)>;
    Written write(const Change& change);

private:
    std::function<QString()> m_path;
    grading::Keys m_keys;
};

} // namespace settings
