#include "settings/SettingsFile.h"

#include "settings/Windows1252.h"
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return unreadable(path, info.isReadable()
                                    ? QStringLiteral("Sie lässt sich nicht öffnen")
                                    : QStringLiteral("Es fehlt die Berechtigung, sie zu lesen"));
    }
    const QByteArray bytes = file.read(maximumFileSize + 1);
    if (bytes.size() > maximumFileSize) {
        return unreadable(path, QStringLiteral("Sie ist größer als 64 KiB"));
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
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        return notSaved(
            QStringLiteral("Der Ordner „%1“ existiert nicht.").arg(shown(info.absolutePath())));
    }
    if (info.isDir()) {
        return notSaved(
            QStringLiteral("An Stelle der Datei „%1“ steht ein Ordner.").arg(shown(path)));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return notSaved(QStringLiteral("In den Ordner „%1“ kann nicht geschrieben werden.")
                            .arg(shown(info.absolutePath())));
    }
    // whyNotStorable has vouched for every character.
    const QByteArray bytes = encodeWindows1252(formatSettingsLine(texts)).value_or(QByteArray());
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return notSaved(QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden "
                                       "(ist der Datenträger voll?).")
                            .arg(shown(path)));
    }
    return {};
}

} // namespace settings
