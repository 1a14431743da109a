// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include "settings/SaveRoute.h"
#include "settings/WholeFile.h"
#include "settings/modFiles.h"
#include "settings/modSpecialFolder.h"

#include <QDir>

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
    const WholeFile file = readWholeFile(path);
    if (!file.bytes) {
        return unreadable(path, file.problem);
    }
    ParsedLine parsed = readSettingsBytes(*file.bytes);
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
