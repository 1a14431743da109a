// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/modSpecialFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

QString GetSpecialFolder(int folderId) {
    if (folderId != CSIDL_PERSONAL) {
        return {};
    }
    // On Windows this is the shell's "Documents" folder; elsewhere the desktop's equivalent.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // user-dirs.dirs may only name absolute paths or "$HOME/…"; anything else would make the file
    // depend on the working directory, so it counts as no entry, as Qt treats a missing one.
    if (folder.isEmpty() || QDir::isRelativePath(folder)) {
        return QDir::home().filePath(QStringLiteral("Documents"));
    }
    return folder;
}

std::optional<QString> makeFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir()) {
        return std::nullopt;
    }
    const QString cannot = QStringLiteral("Der Ordner „%1“ ließ sich nicht anlegen: ")
                               .arg(QDir::toNativeSeparators(folder));
    if (info.exists()) {
        return cannot + QStringLiteral("An seiner Stelle steht eine Datei gleichen Namens.");
    }
    std::error_code error;
    if (std::filesystem::create_directory(folder.toStdU16String(), error) || !error) {
        return std::nullopt;
    }
    const QString parent = QDir::toNativeSeparators(info.absolutePath());
    if (error == std::errc::no_such_file_or_directory) {
        return cannot + QStringLiteral("Der Ordner „%1“ existiert nicht.").arg(parent);
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        return cannot + QStringLiteral("In „%1“ darf dieses Programm nichts anlegen.").arg(parent);
    }
    if (error == std::errc::read_only_file_system) {
        return cannot + QStringLiteral("Der Datenträger ist schreibgeschützt.");
    }
    if (error == std::errc::no_space_on_device) {
        return cannot + QStringLiteral("Der Datenträger ist voll.");
    }
    return cannot + QStringLiteral("Meldung des Systems: „%1“.")
                        .arg(QString::fromLocal8Bit(error.message()));
}

QString madeDocumentsFolder() {
    const QString folder = GetSpecialFolder(CSIDL_PERSONAL);
    if (!folder.isEmpty()) {
        // The dialog opens all the same; a save into the folder names what stood in the way.
        makeFolder(folder);
    }
    return folder;
}
