// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// How a failed save speaks of what it was saving: the first and the last line of its message.
struct SaveWording {
    QString notSaved;   // "Die Einstellungen wurden nicht gespeichert."
    QString formerKept; // "Eine früher gespeicherte Datei bleibt unverändert."
};

// The message for a save that stopped for `reason`.
QString notSavedMessage(const SaveWording& wording, const QString& reason);

// The one way the program writes a file, so that nothing is lost: unbuffered into a new file that
// then takes the former's place, or where the folder takes no new file, in place with the former
// content put back should the write fail. A full disk, a size limit, a write-protected or a
// held file is named as such, and the former file stays byte for byte. Returns a German message
// for the user when nothing was saved; empty on success.
QString saveBytes(const QString& path, const QByteArray& bytes, const SaveWording& wording);

} // namespace settings
