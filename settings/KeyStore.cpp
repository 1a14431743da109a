// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyStore.h"

namespace settings {

KeyStore::KeyStore(const QLocale& locale, std::function<QString()> keyFilePath)
    : m_path(std::move(keyFilePath)), m_keys(locale) {}

KeyFileLoad KeyStore::reload() {
    KeyFileLoad loaded = loadKeyFile(m_path());
    m_keys.setOwn(loaded.keys);
    return loaded;
}

QString KeyStore::save(const std::vector<grading::GradingKey>& own) {
    const QString problem = saveKeyFile(m_path(), own);
    if (problem.isEmpty()) {
        m_keys.setOwn(own);
    }
    return problem;
}

KeptCopy KeyStore::keepCopy() const {
    return settings::keepCopy(m_path());
}

} // namespace settings
