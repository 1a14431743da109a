// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyStore.h"

#include "settings/SaveRoute.h"
#include "settings/WholeFile.h"
#include "settings/modFiles.h"

#include <QDir>
#include <QFile>

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
    const QString shownPath = QDir::toNativeSeparators(path);
    // The file's bytes now; none where there is no file.
    struct Now {
        std::optional<QByteArray> bytes;
        QString problem;
    };
    auto readNow = [&] {
        if (!FileExists(path)) {
            return Now{};
        }
        WholeFile read = readWholeFile(path);
        return Now{std::move(read.bytes), read.problem};
    };
    for (int attempt = 1;; ++attempt) {
        const Now before = readNow();
        if (!before.bytes && !before.problem.isEmpty()) {
            return {false,
                    QStringLiteral("%1 Die Notenschlüssel-Datei „%2“ ließ sich nicht lesen: %3.")
                        .arg(notSaved, shownPath, before.problem),
                    {}};
        }
        // A new file starts with the line that says what it is.
        std::optional<KeyFileText> read =
            KeyFileText::decode(before.bytes ? *before.bytes : formatKeyFile({}));
        if (!read) {
            return {false,
                    QStringLiteral("%1 Die Notenschlüssel-Datei „%2“ ist weder in UTF-8 noch in "
                                   "Windows-1252 geschrieben; sie bleibt, wie sie ist. In einem "
                                   "Texteditor als UTF-8 gespeichert, oder umbenannt, damit "
                                   "Zensulino eine neue anlegt, nimmt sie wieder Notenschlüssel "
                                   "auf.")
                        .arg(notSaved, shownPath),
                    {}};
        }
        KeyFileText& file = *read;
        if (!change(file, parseKeyFile(file).keys)) {
            return {};
        }
        // A question may have stood open while another program wrote the file: then the change
        // starts again from the file as it is now.
        if (readNow().bytes != before.bytes) {
            if (attempt < 3) {
                continue;
            }
            return {false,
                    QStringLiteral("%1 Die Notenschlüssel-Datei „%2“ wurde während des Speicherns "
                                   "dreimal geändert; sie bleibt, wie sie ist. Bitte noch einmal "
                                   "versuchen.")
                        .arg(notSaved, shownPath),
                    {}};
        }
        Written written{true, {}, {}};
        if (file.encoding() == KeyFileText::Encoding::Windows1252) {
            const KeptCopy copy = settings::keepCopy(path, *before.bytes);
            if (!copy.problem.isEmpty()) {
                return {false, copy.problem, {}};
            }
            written.copy = copy.path;
        }
        if (const SaveProblem problem = saveFile(path, file.bytes()); !problem.reason.isEmpty()) {
            QString message = notSavedMessage(
                {notSaved, QStringLiteral("Eine vorhandene Datei bleibt unverändert.")}, problem,
                path);
            if (!written.copy.isEmpty()) {
                if (problem.formerKept) {
                    QFile::remove(written.copy); // the file it keeps stays as it was
                } else {
                    message += QStringLiteral("\rDie bisherige Datei steht als „%1“ daneben.")
                                   .arg(QDir::toNativeSeparators(written.copy));
                }
            }
            return {false, message, {}};
        }
        m_keys.setOwn(parseKeyFile(file).keys);
        return written;
    }
}

} // namespace settings
