// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the key file, the program's most exposed input: hand-edited and shared. Any
// bytes must be read without a crash or a hang, and a key written into them must leave every
// other key and every comment.
#include "settings/KeyFile.h"
#include "settings/KeyFileText.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool isOther(const grading::GradingKey& key, const QString& written) {
    return key.name.compare(written, Qt::CaseInsensitive) != 0;
}

// The comments, sorted: a write keeps every one, those inside the key written above the line they
// stood above. A last line's CR at its end becomes part of a CR LF with the line end a write adds.
QStringList comments(const QString& text) {
    QStringList found;
    for (const QString& line : text.split(u'\n')) {
        if (settings::withoutBlanks(line).startsWith(u'#')) {
            QString comment = line;
            while (comment.endsWith(u'\r')) {
                comment.chop(1);
            }
            found << comment;
        }
    }
    found.sort();
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::optional<settings::KeyFileText> file = settings::KeyFileText::decode(bytes);
    if (!file) {
        return 0;
    }
    const QString original = file->text();
    const settings::KeyFileContent before = settings::parseKeyFile(*file);
    // The first key read is written anew under another name, as a rename does; without one, a
    // new key is added.
    grading::GradingKey written{QStringLiteral("Fuzz"),
                                {{QStringLiteral("1"), 50, 100}, {QStringLiteral("2"), {}, 200}},
                                1,
                                {},
                                {},
                                {}};
    const QString replacing = before.keys.empty() ? written.name : before.keys.front().name;
    written = grading::withOwnHeadings(written);
    file->putKey(replacing, written);

    const std::optional<settings::KeyFileText> again = settings::KeyFileText::decode(file->bytes());
    if (!again) {
        std::abort(); // what is written holds no NUL byte
    }
    const settings::KeyFileContent after = settings::parseKeyFile(*again);
    std::vector<grading::GradingKey> others;
    for (const grading::GradingKey& key : before.keys) {
        if (isOther(key, written.name) && isOther(key, replacing)) {
            others.push_back(key);
        }
    }
    std::vector<grading::GradingKey> othersAfter;
    bool writtenFound = false;
    for (const grading::GradingKey& key : after.keys) {
        if (key == written) {
            writtenFound = true;
        } else if (isOther(key, replacing)) {
            othersAfter.push_back(key);
        }
    }
    if (!writtenFound || others != othersAfter || comments(original) != comments(again->text())) {
        std::abort();
    }
    return 0;
}
