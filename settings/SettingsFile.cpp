// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include "settings/modFiles.h"
#include "settings/modSpecialFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace settings {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

LoadResult unreadable(const QString& path, const QString& reason) {
    return {LoadResult::Status::Unreadable,
            {},
            QStringLiteral("Die Einstellungsdatei „%1“ konnte nicht geladen werden: %2.\r\r"
                           "Zensulino startet ohne die gespeicherten Einstellungen; die Datei "
                           "bleibt unverändert.")
                .arg(shown(path), reason)};
}

QString notSaved(const QString& reason) {
    return QStringLiteral("Die Einstellungen wurden nicht gespeichert.\r\r%1\r"
                          "Eine früher gespeicherte Datei bleibt unverändert.")
        .arg(reason);
}

QString diskFull(const QString& path) {
    return notSaved(QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden "
                                   "(ist der Datenträger voll?).")
                        .arg(shown(path)));
}

// Why the file at `path` cannot take new content, or nothing when it can be tried.
std::optional<QString> whyNotWritable(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && !QFileInfo(info.symLinkTarget()).absoluteDir().exists()) {
        return QStringLiteral("Die Datei „%1“ verweist auf „%2“, dessen Ordner nicht existiert.")
            .arg(shown(path), shown(info.symLinkTarget()));
    }
    if (!info.absoluteDir().exists()) {
        return QStringLiteral("Der Ordner „%1“ existiert nicht.").arg(shown(info.absolutePath()));
    }
    if (info.isDir()) {
        return QStringLiteral("An Stelle der Datei „%1“ steht ein Ordner.").arg(shown(path));
    }
    if (info.exists() && !info.isFile()) {
        return QStringLiteral("An Stelle der Datei „%1“ steht etwas, das keine gewöhnliche Datei "
                              "ist.")
            .arg(shown(path));
    }
    if (info.exists() && !info.isWritable()) {
        return QStringLiteral("Die Datei „%1“ ist schreibgeschützt.").arg(shown(path));
    }
    return std::nullopt;
}

// Where the folder takes no new files but the file itself may be written, its content is replaced
// in place. Should that write fail, the former content is put back.
QString replaceInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return notSaved(QStringLiteral("Die Datei „%1“ lässt sich nicht öffnen.").arg(shown(path)));
    }
    const QByteArray former = file.readAll();
    auto writeWhole = [&file](const QByteArray& content) {
        return file.seek(0) && file.write(content) == content.size() && file.resize(content.size());
    };
    if (!writeWhole(bytes)) {
        writeWhole(former);
        return diskFull(path);
    }
    return {};
}

} // namespace

QString settingsFilePath() {
    const QString folder = GetSpecialFolder(CSIDL_PERSONAL);
    if (folder.isEmpty()) {
        return {};
    }
    return QDir(folder).filePath(QStringLiteral("Zensulino.ini"));
}

LoadResult loadSettings(const QString& path) {
    if (!FileExists(path)) {
        return {};
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        return unreadable(path, QStringLiteral("An ihrer Stelle steht ein Ordner"));
    }
    // Opening a named pipe would wait for a writer for good.
    if (!info.isFile()) {
        return unreadable(path, QStringLiteral("Sie ist keine gewöhnliche Datei"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return unreadable(path, info.isReadable()
                                    ? QStringLiteral("Sie lässt sich nicht öffnen")
                                    : QStringLiteral("Es fehlt die Berechtigung, sie zu lesen"));
    }
    const QByteArray bytes = file.read(maximumFileSize + 1);
    if (bytes.size() > maximumFileSize) {
        return unreadable(path, QStringLiteral("Sie ist größer als 1 MiB"));
    }
    ParsedLine parsed = readSettingsBytes(bytes);
    if (!parsed.texts) {
        return unreadable(path, parsed.problem);
    }
    return {LoadResult::Status::Loaded, *parsed.texts, {}};
}

QString saveSettings(const QString& path, const StoredTexts& texts) {
    if (path.isEmpty()) {
        return notSaved(QStringLiteral("Der Ordner „Dokumente“ wurde nicht gefunden."));
    }
    if (const QString problem = whyNotStorable(texts); !problem.isEmpty()) {
        return notSaved(problem);
    }
    const QByteArray bytes = encodeSettingsLine(texts);
    if (bytes.size() > maximumFileSize) {
        return notSaved(QStringLiteral("Die Texte sind zusammen zu lang für die "
                                       "Einstellungsdatei (höchstens 1 MiB)."));
    }
    if (const auto problem = whyNotWritable(path)) {
        return notSaved(*problem);
    }
    // Unbuffered, so that a full disk fails the write itself: a buffered QSaveFile only meets
    // the error while committing, and Qt 6.4 then puts the empty file in place all the same.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo info(path);
        if (info.exists()) {
            return replaceInPlace(path, bytes);
        }
        return notSaved(QStringLiteral("In den Ordner „%1“ kann nicht geschrieben werden.")
                            .arg(shown(info.absolutePath())));
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return diskFull(path);
    }
    if (!file.commit()) {
        return diskFull(path);
    }
    return {};
}

} // namespace settings
