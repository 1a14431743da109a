// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace settings {

// The key file as its lines, so that a write changes the lines of its own key and nothing else:
// comments, blank lines, other keys, their order and refused blocks stay byte for byte, and a
// comment inside the key's block stays above the line it stood above. A key's own lines are its
// "[Name]" line and, up to the next "[" line, those that are neither blank nor comments.
class KeyFileText {
public:
    enum class Encoding { Utf8, Windows1252 };

    // A new file: nothing in it, lines ending in CR LF.
    KeyFileText() = default;
    // Each line on its own: UTF-8 where it is (a byte-order mark kept), else Windows-1252 as older
    // Windows editors save it, so that a colleague's line appended in "ANSI" leaves the others as
    // they are. A line that is neither keeps its bytes. None for bytes that are no text at all (a
    // NUL byte, as in a picture or a document saved under the file's name).
    static std::optional<KeyFileText> decode(const QByteArray& bytes);

    // What the reader reads: each line without its end; a line that is neither UTF-8 nor
    // Windows-1252 with "�" for what it cannot read.
    QString text() const;
    // The numbers of those lines, 1 the first.
    std::vector<int> unreadableLines() const;
    // Windows-1252 where a line was read as such.
    Encoding encoding() const { return m_encoding; }
    // In UTF-8, but for the bytes of the lines that are neither, which stay as they were.
    QByteArray bytes() const;

    // `key` in the place of the block named `replacing` (any case; a refused block too), or else
    // of the block of its own name, or else behind the rest. The blocks of its name other than
    // the one it takes go, as a rename over another key takes that key's place.
    void putKey(const QString& replacing, const grading::GradingKey& key);
    // The own lines of every block of that name (any case) go; comments among them stay.
    void removeKey(const QString& name);

private:
    struct Line {
        QString text;
        QString end; // "\r\n", "\n", or none for a last line without one
        std::optional<QByteArray> unreadable = std::nullopt; // its bytes, neither UTF-8 nor 1252
    };
    // The [first, end) lines of each block, from its "[" line.
    std::vector<std::pair<std::size_t, std::size_t>> blocksNamed(const QString& name) const;
    QString lineEnd() const;
    // Whether the block's lines read as exactly this key.
    bool blockReadsAs(const std::pair<std::size_t, std::size_t>& block,
                      const grading::GradingKey& key) const;
    // The own lines of `blocks` go; `key`'s lines stand at line `at`.
    void rewrite(const std::vector<std::pair<std::size_t, std::size_t>>& blocks,
                 std::optional<std::size_t> at, const grading::GradingKey* key);

    Encoding m_encoding = Encoding::Utf8;
    bool m_byteOrderMark = false;
    std::vector<Line> m_lines;
};

// The lines of one key as the key file holds them: "[Name]", "skala=Fehler" under errors,
// "text;bound;value" a grade with a decimal point, "schwach ab=text" and "genehmigung=…" where it
// has them.
QStringList keyLines(const grading::GradingKey& key);

// The blanks and tabs at either end of a key file's line or field go.
QString withoutBlanks(const QString& text);
// A line of `text()` as the reader takes it: a CR at its end goes, then the blanks.
QString lineAsRead(const QString& line);
// Of a line without its blanks: whether it is blank or a comment, which belong to no key.
bool countsForNothing(const QString& trimmed);
// Of a "[Name]" line without its blanks: the name, also where the "]" is missing.
QString keyNameOf(const QString& trimmed);

} // namespace settings
