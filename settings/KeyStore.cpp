// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyStore.h"

#include "settings/SaveRoute.h"
#include "settings/WholeFile.h"
#include "settings/modFiles.h"

#include <QDir>

namespace settings {

KeyStore::KeyStore(const QLocale& locale, std::function<QString()> keyFilePath)
    : m_path(std::move(keyFilePath)), m_keys(locale) {}

KeyFileLoad KeyStore::reload() {
    KeyFileLoad loaded = loadKeyFile(m_path());
    m_keys.setOwn(loaded.keys);
    return loaded;
}

KeyStore::Written KeyStore::write(const Change& change) {
    const QString path = m_path();
    const QString notSaved = QStringLiteral("Die Notenschlüssel wurden nicht gespeichert.");
    // A new file starts with the line that says what it is.
    KeyFileText file = *KeyFileText::decode(formatKeyFile({}));
    if (FileExists(path)) {
        const WholeFile read = readWholeFile(path);
        if (!read.bytes) {
            return {false,
                    QStringLiteral("%1 Die Notenschlüssel-Datei „%2“ ließ sich nicht lesen: %3.")
                        .arg(notSaved, QDir::toNativeSeparators(path), read.problem),
                    {}};
        }
        std::optional<KeyFileText> decoded = KeyFileText::decode(*read.bytes);
        if (!decoded) {
            return {false,
                    QStringLiteral("%1 Die Notenschlüssel-Datei „%2“ ist weder in UTF-8 "
                                   "noch in Windows-1252 geschrieben; sie bleibt, wie sie "
                                   "ist.")
                        .arg(notSaved, QDir::toNativeSeparators(path)),
                    {}};
        }
        file = std::move(*decoded);
    }
    if (!change(file, parseKeyFile(file.text()).keys)) {
        return {};
    }
    Written written{true, {}, {}};
    if (file.encoding() == KeyFileText::Encoding::Windows1252) {
        const KeptCopy copy = settings::keepCopy(path);
        if (!copy.problem.isEmpty()) {
            return {false, copy.problem, {}};
        }
        written.copy = copy.path;
    }
    if (const QString problem =
            saveBytes(path, file.bytes(),
                      {notSaved, QStringLiteral("Eine vorhandene Datei bleibt unverändert.")});
        !problem.isEmpty()) {
        return {false, problem, {}};
    }
    m_keys.setOwn(parseKeyFile(file.text()).keys);
    return written;
}

} // namespace settings
