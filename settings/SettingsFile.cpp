// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include "settings/SaveRoute.h"
#include "settings/modFiles.h"
#include "settings/modSpecialFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

const SaveWording settingsWording{
    QStringLiteral("Die Einstellungen wurden nicht gespeichert."),
    QStringLiteral("Eine früher gespeicherte Datei bleibt unverändert.")};

QString notSaved(const QString& reason) {
    return notSavedMessage(settingsWording, reason);
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
    return saveBytes(path, bytes, settingsWording);
}

} // namespace settings
