// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SaveRoute.h"

#include "settings/FileInUse.h"
#include "settings/FileSizeLimit.h"
#include "settings/WriteFailure.h"
#include "settings/modSpecialFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace settings {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString inUse(const QString& path) {
    return QStringLiteral("Die Datei „%1“ wird gerade von einem anderen Programm verwendet. "
                          "Schließen Sie dieses Programm und speichern Sie dann erneut.")
        .arg(shown(path));
}

// Names what the system reported, and blames a full disk only where the system did.
QString writeFailed(const QString& path, const QString& systemError) {
    const QString cannot =
        QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden").arg(shown(path));
    switch (writeFailureFrom(systemError)) {
    case WriteFailure::DiskFull:
        return cannot + QStringLiteral(": Der Datenträger ist voll.");
    case WriteFailure::QuotaExceeded:
        return cannot + QStringLiteral(": Ihr Speicherplatz auf dem Datenträger ist erschöpft "
                                       "(Kontingent).");
    case WriteFailure::FileTooLarge:
        return cannot + QStringLiteral(": Sie würde größer, als das System diesem Programm für "
                                       "eine Datei erlaubt.");
    case WriteFailure::InUse:
        return inUse(path);
    case WriteFailure::Other:
        break;
    }
    return cannot + QStringLiteral(" (Meldung des Systems: „%1“).").arg(systemError);
}

// A fresh account may have no documents folder yet, where the settings, the key file and the
// exports go: the first save into it makes it. Any other missing folder stays missing and is
// named. Why the documents folder could not be made, where it could not.
std::optional<QString> makeDocumentsFolderFor(const QString& path) {
    const QString documents = GetSpecialFolder(CSIDL_PERSONAL);
    if (documents.isEmpty() ||
        QFileInfo(path).absolutePath() != QFileInfo(documents).absoluteFilePath()) {
        return std::nullopt;
    }
    return makeFolder(documents);
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

// A write the system cuts short reports no error; writing on from there makes it say why.
bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 now = file.write(bytes.constData() + written, bytes.size() - written);
        if (now <= 0) {
            return false;
        }
        written += now;
    }
    return true;
}

// Why nothing was saved, and whether the former file stayed; no reason on success.
SaveProblem save(const QString& path, const QByteArray& bytes) {
    if (const auto problem = makeDocumentsFolderFor(path)) {
        return {*problem};
    }
    if (const auto problem = whyNotWritable(path)) {
        return {*problem};
    }
    const FileSizeLimitAsError sizeLimitAsError;
    // Unbuffered, so that a full disk fails the write itself: a buffered QSaveFile only meets
    // the error while committing, and Qt 6.4 then puts the empty file in place all the same.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (!writeAll(file, bytes)) {
            const QString systemError = file.errorString();
            file.cancelWriting();
            return {writeFailed(path, systemError)};
        }
        if (file.commit()) {
            return {};
        }
        if (file.error() != QFileDevice::RenameError || !QFileInfo::exists(path)) {
            return {writeFailed(path, file.errorString())};
        }
    } else if (!QFileInfo::exists(path)) {
        return {QStringLiteral("In den Ordner „%1“ kann nicht geschrieben werden.")
                    .arg(shown(QFileInfo(path).absolutePath()))};
    }
    // The folder takes no new file, or the new one may not take the former's place (a shared
    // folder with the sticky bit, a file held open on Windows): the file itself may still be
    // written.
    if (fileInUseByAnotherProgram(path)) {
        return {inUse(path)};
    }
    QFile inPlace(path);
    if (!inPlace.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return {QStringLiteral("Die Datei „%1“ lässt sich nicht öffnen (Meldung des Systems: "
                               "„%2“).")
                    .arg(shown(path), inPlace.errorString())};
    }
    return replaceInPlace(inPlace, bytes);
}

} // namespace

QString notSavedMessage(const SaveWording& wording, const QString& reason) {
    return wording.notSaved + QStringLiteral("\r\r") + reason + QLatin1Char('\r') +
           wording.formerKept;
}

QString notSavedMessage(const SaveWording& wording, const SaveProblem& problem,
                        const QString& path) {
    if (problem.formerKept) {
        return notSavedMessage(wording, problem.reason);
    }
    return wording.notSaved + QStringLiteral("\r\r") + problem.reason + QLatin1Char('\r') +
           QStringLiteral("Der bisherige Inhalt ließ sich nicht zurückschreiben: Die Datei „%1“ "
                          "kann jetzt unvollständig sein.")
               .arg(shown(path));
}

SaveProblem saveFile(const QString& path, const QByteArray& bytes) {
    return save(path, bytes);
}

QString saveBytes(const QString& path, const QByteArray& bytes, const SaveWording& wording) {
    const SaveProblem problem = save(path, bytes);
    return problem.reason.isEmpty() ? QString() : notSavedMessage(wording, problem, path);
}

SaveProblem replaceInPlace(QFile& file, const QByteArray& bytes) {
    const QByteArray former = file.readAll();
    auto writeWhole = [&file](const QByteArray& content) {
        return file.seek(0) && writeAll(file, content) && file.resize(content.size());
    };
    if (writeWhole(bytes)) {
        return {};
    }
    const QString problem = writeFailed(file.fileName(), file.errorString());
    // Whether the former content is back is read, not assumed: a put-back that fails may still
    // leave the file as it was, where the failed write had changed nothing.
    writeWhole(former);
    return {problem, file.seek(0) && file.readAll() == former};
}

} // namespace settings
