// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/WholeFile.h"

#include "settings/SettingsFile.h"

#include <QFile>
#include <QFileInfo>

namespace settings {

WholeFile readWholeFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return {std::nullopt, QStringLiteral("An ihrer Stelle steht ein Ordner")};
    }
    // Opening a named pipe would wait for a writer for good.
    if (!info.isFile()) {
        return {std::nullopt, QStringLiteral("Sie ist keine gewöhnliche Datei")};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, info.isReadable()
                                  ? QStringLiteral("Sie lässt sich nicht öffnen")
                                  : QStringLiteral("Es fehlt die Berechtigung, sie zu lesen")};
    }
    QByteArray bytes = file.read(maximumFileSize + 1);
    if (bytes.size() > maximumFileSize) {
        return {std::nullopt, QStringLiteral("Sie ist größer als 1 MiB")};
    }
    return {std::move(bytes), {}};
}

} // namespace settings
