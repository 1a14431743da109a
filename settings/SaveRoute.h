// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace settings {

// How a failed save speaks of what it was saving: the first and the last line of its message.
struct SaveWording {
    QString notSaved;   // "Die Einstellungen wurden nicht gespeichert."
    QString formerKept; // "Eine früher gespeicherte Datei bleibt unverändert."
};

// Why a save stopped, and whether the former file is as it was.
struct SaveProblem {
    QString reason; // empty where nothing stopped it
    bool formerKept = true;
};

// The message for a save that stopped for `reason`; where the former file could not be kept, it
// says so and names the file instead of `wording.formerKept`.
QString notSavedMessage(const SaveWording& wording, const QString& reason);
QString notSavedMessage(const SaveWording& wording, const SaveProblem& problem,
                        const QString& path);

// The one way the program writes a file, so that nothing is lost: unbuffered into a new file that
// then takes the former's place, or where the folder takes no new file, in place with the former
// content put back should the write fail. A full disk, a size limit, a write-protected or a
// held file is named as such, and the former file stays byte for byte. Returns a German message
// for the user when nothing was saved; empty on success.
QString saveBytes(const QString& path, const QByteArray& bytes, const SaveWording& wording);

// The same, saying why nothing was saved and whether the former file stayed as it was.
SaveProblem saveFile(const QString& path, const QByteArray& bytes);

// The way in place alone, for `file` open for reading and writing: its content replaced by `bytes`,
// or where that fails, put back and read again to tell whether it is as it was.
SaveProblem replaceInPlace(QFile& file, const QByteArray& bytes);

} // namespace settings
