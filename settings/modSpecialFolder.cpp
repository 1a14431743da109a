// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/modSpecialFolder.h"

#include <QDir>
#include <QStandardPaths>

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

QString madeDocumentsFolder() {
    const QString folder = GetSpecialFolder(CSIDL_PERSONAL);
    if (!folder.isEmpty()) {
        // Only the folder itself, in a home that exists: never a path into a share not mounted.
        QDir().mkdir(folder);
    }
    return folder;
}
