// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace settings {

class KeyFileText;

// "Zensulino-Notenschlüssel.txt" beside the settings file.
QString keyFilePath(const QString& settingsPath);

// The teacher's own keys, readable, editable by hand and fit to be mailed to a colleague:
//   # comment
//   [Bayern 5-11]
//   1;85;1          one line a grade, best first: text;bound;value, a decimal point or comma,
//                   a "%" behind the bound welcome
//   6;;6            the worst grade has no bound
//   schwach ab=5    optional
//   genehmigung=mehr als 1/3   optional, with "schwach ab=": when too many results are weak
//   skala=Fehler    optional, anywhere after the name: the bounds are the most errors a grade
//                   allows, whole or half, rising from the best grade; "skala=Fehler je 100
//                   Wörter": the most errors per 100 words, 0 to 100 with two decimals at most;
//                   without it, percentages
// UTF-8 (a byte-order mark optional) or Windows-1252, line by line, lines ending in LF or CR LF,
// blanks and tabs around lines and fields not counting. Written with a decimal point, in the
// line ends the file has (CR LF for a new file); an approval limit in the words it was read in.
struct KeyFileContent {
    std::vector<grading::GradingKey> keys; // each key that keeps every rule
    QStringList problems;                  // one for each key or line refused, with its line
};
KeyFileContent parseKeyFile(const QString& text);
// The same for a file as read: a line that is neither UTF-8 nor Windows-1252 refuses its key.
KeyFileContent parseKeyFile(const KeyFileText& file);
QByteArray formatKeyFile(const std::vector<grading::GradingKey>& keys);

struct KeyFileLoad {
    enum class Status { Missing, Loaded, Damaged };
    Status status = Status::Missing;
    std::vector<grading::GradingKey> keys; // the valid ones, also from a damaged file
    QString problems;                      // what was refused, a line each, when Damaged
    QString message;                       // German, for the user, when Damaged
};
// A missing file is normal. Every valid key loads; what is refused is named, and the file is
// left as it is.
KeyFileLoad loadKeyFile(const QString& path);

// Writes the keys through the save route: on failure the former file stays byte for byte, and
// the German message returned names the cause; empty on success.
QString saveKeyFile(const QString& path, const std::vector<grading::GradingKey>& keys,
                    const QString& notSaved = QStringLiteral("Die Notenschlüssel wurden nicht "
                                                             "gespeichert."));

// Keeps a file before it is written anew in another encoding: `bytes`, the file as it was read,
// through the save route, under "… (Kopie).txt" beside it, or "… (Kopie 2).txt" and on where
// that is taken.
struct KeptCopy {
    QString path;    // where the copy stands
    QString problem; // German, when none could be made
};
KeptCopy keepCopy(const QString& path, const QByteArray& bytes);

} // namespace settings
