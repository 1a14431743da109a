// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFileText.h"

#include "grading/Decimal.h"
#include "grading/KeyRules.h"
#include "settings/KeyFile.h"
#include "settings/Windows1252.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>

namespace settings {

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");

} // namespace

bool countsForNothing(const QString& trimmed) {
    return trimmed.isEmpty() || trimmed.startsWith(u'#');
}

QString keyNameOf(const QString& trimmed) {
    QString name = trimmed.mid(1);
    if (name.endsWith(u']')) {
        name.chop(1);
    }
    return withoutBlanks(name);
}

QString withoutBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    auto blank = [&](qsizetype at) {
        return text[at] == u' ' || text[at] == u'\t';
    };
    while (first < end && blank(first)) {
        ++first;
    }
    while (end > first && blank(end - 1)) {
        --end;
    }
    return text.mid(first, end - first);
}

QString lineAsRead(const QString& line) {
    return withoutBlanks(line.endsWith(u'\r') ? line.chopped(1) : line);
}

QStringList keyLines(const grading::GradingKey& key) {
    QStringList lines{QStringLiteral("[%1]").arg(key.name)};
    // Points keys stand as they always did, so that older versions read them.
    if (key.scale != grading::Scale::Points) {
        lines << grading::scaleSetting + u'=' + grading::scaleName(key.scale);
    }
    for (const grading::Grade& grade : key.grades) {
        const QString bound =
            grade.bound ? grading::fileText(grading::hundredthsOfBound(*grade.bound)) : QString();
        lines << QStringLiteral("%1;%2;%3").arg(grade.text, bound, grading::fileText(grade.value));
    }
    if (key.firstWeak) {
        lines << grading::weakSetting + u'=' + key.grades[*key.firstWeak].text;
    }
    if (key.approval) {
        lines << grading::approvalSetting + u'=' + key.approval->fileText;
    }
    return lines;
}

std::optional<KeyFileText> KeyFileText::decode(const QByteArray& bytes) {
    if (bytes.contains('\0')) {
        return std::nullopt;
    }
    KeyFileText file;
    file.m_byteOrderMark = bytes.startsWith(byteOrderMark);
    const QByteArray body = file.m_byteOrderMark ? bytes.mid(byteOrderMark.size()) : bytes;
    // The file's byte-order mark is taken off above; one that a line starts with is its own.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    // No UTF-8 sequence holds the byte of LF, so the lines split alike in either encoding.
    for (qsizetype start = 0; start < body.size();) {
        const qsizetype feed = body.indexOf('\n', start);
        const qsizetype end = feed < 0 ? body.size() : feed;
        const bool crlf = feed > start && body[feed - 1] == '\r';
        const QByteArray line = body.mid(start, end - start - (crlf ? 1 : 0));
        Line read{{}, feed < 0 ? QString() : crlf ? QStringLiteral("\r\n") : QStringLiteral("\n")};
        utf8.resetState();
        read.text = utf8.decode(line);
        if (utf8.hasError()) {
            if (const std::optional<QString> windows = decodeWindows1252(line)) {
                read.text = *windows;
                file.m_encoding = Encoding::Windows1252;
            } else {
                read.unreadable = line;
            }
        }
        file.m_lines.push_back(std::move(read));
        start = end + 1;
    }
    return file;
}

QString KeyFileText::text() const {
    QStringList lines;
    for (const Line& line : m_lines) {
        lines << line.text;
    }
    return lines.join(u'\n');
}

std::vector<int> KeyFileText::unreadableLines() const {
    std::vector<int> numbers;
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        if (m_lines[line].unreadable) {
            numbers.push_back(static_cast<int>(line) + 1);
        }
    }
    return numbers;
}

QByteArray KeyFileText::bytes() const {
    QByteArray bytes = m_byteOrderMark ? byteOrderMark : QByteArray();
    for (const Line& line : m_lines) {
        bytes += line.unreadable ? *line.unreadable : line.text.toUtf8();
        bytes += line.end.toLatin1();
    }
    return bytes;
}

QString KeyFileText::lineEnd() const {
    return m_lines.empty() || m_lines.front().end.isEmpty() ? QStringLiteral("\r\n")
                                                            : m_lines.front().end;
}

std::vector<std::pair<std::size_t, std::size_t>>
KeyFileText::blocksNamed(const QString& name) const {
    std::vector<std::pair<std::size_t, std::size_t>> blocks;
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        const QString trimmed = lineAsRead(m_lines[line].text);
        if (!trimmed.startsWith(u'[')) {
            continue;
        }
        if (!blocks.empty() && blocks.back().second == m_lines.size()) {
            blocks.back().second = line;
        }
        if (keyNameOf(trimmed).compare(name, Qt::CaseInsensitive) == 0) {
            blocks.emplace_back(line, m_lines.size());
        }
    }
    return blocks;
}

namespace {

// What one of a key's own lines stands for, as a key's lines are written anew: its grade (by the
// text), or its setting.
QString standsFor(const QString& trimmed) {
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals > 0) {
        const QString setting = withoutBlanks(trimmed.left(equals));
        for (const char* name : {"schwach ab", "genehmigung", "skala"}) {
            if (setting == QLatin1String(name)) {
                return setting + u'=';
            }
        }
    }
    return withoutBlanks(trimmed.section(u';', 0, 0)) + u';';
}

} // namespace

void KeyFileText::rewrite(const std::vector<std::pair<std::size_t, std::size_t>>& blocks,
                          std::optional<std::size_t> at, const grading::GradingKey* key) {
    // One pass, however many blocks go: a file of thousands stays quick.
    std::vector<bool> dropped(m_lines.size());
    // In the block the key is written into, a comment or blank line stays above the line it stood
    // above where the key still has that line; the others follow the key's lines in their order.
    QHash<QString, std::vector<std::size_t>> above;
    std::vector<std::size_t> comments;
    for (const auto& [first, end] : blocks) {
        const bool written = key != nullptr && first == at;
        std::vector<std::size_t> run;
        dropped[first] = true;
        for (std::size_t line = first + 1; line < end; ++line) {
            const QString trimmed = lineAsRead(m_lines[line].text);
            const bool ownLine = !countsForNothing(trimmed);
            dropped[line] = ownLine || written;
            if (!written) {
                continue;
            }
            if (!ownLine) {
                run.push_back(line);
                comments.push_back(line);
            } else if (!run.empty()) {
                auto& stay = above[standsFor(trimmed)];
                stay.insert(stay.end(), run.begin(), run.end());
                run.clear();
            }
        }
    }
    const QString end = lineEnd();
    std::vector<Line> kept;
    kept.reserve(m_lines.size() + (key != nullptr ? key->grades.size() + 4 : 0));
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        if (line == at && key != nullptr) {
            std::vector<bool> placed(m_lines.size());
            for (const QString& text : keyLines(*key)) {
                for (std::size_t comment : above.take(standsFor(text))) {
                    kept.push_back(m_lines[comment]);
                    placed[comment] = true;
                }
                kept.push_back({text, end});
            }
            for (std::size_t comment : comments) {
                if (!placed[comment]) {
                    kept.push_back(m_lines[comment]);
                }
            }
        }
        if (!dropped[line]) {
            kept.push_back(m_lines[line]);
        }
    }
    m_lines = std::move(kept);
}

void KeyFileText::putKey(const QString& replacing, const grading::GradingKey& key) {
    auto target = blocksNamed(replacing);
    if (target.empty()) {
        target = blocksNamed(key.name);
    }
    if (target.empty()) {
        if (!m_lines.empty() && m_lines.back().end.isEmpty()) {
            // A CR ending the last line stays one: an LF behind it would make it a line end.
            m_lines.back().end =
                m_lines.back().text.endsWith(u'\r') ? QStringLiteral("\r\n") : lineEnd();
        }
        for (const QString& line : keyLines(key)) {
            m_lines.push_back({line, lineEnd()});
        }
        return;
    }
    // The key takes the first block of the name it replaces; other blocks of its own name go, as
    // a rename over another key takes that key's place.
    auto blocks = blocksNamed(key.name);
    if (std::find(blocks.begin(), blocks.end(), target.front()) == blocks.end()) {
        blocks.push_back(target.front());
    }
    // A key saved unchanged leaves its block as it was written, by hand or not.
    if (blocks.size() == 1 && blockReadsAs(blocks.front(), key)) {
        return;
    }
    rewrite(blocks, target.front().first, &key);
}

bool KeyFileText::blockReadsAs(const std::pair<std::size_t, std::size_t>& block,
                               const grading::GradingKey& key) const {
    QStringList lines;
    for (std::size_t line = block.first; line < block.second; ++line) {
        if (m_lines[line].unreadable) {
            return false;
        }
        lines << m_lines[line].text;
    }
    const std::vector<grading::GradingKey> read = parseKeyFile(lines.join(u'\n')).keys;
    return read.size() == 1 && read.front() == grading::withOwnHeadings(key);
}

void KeyFileText::removeKey(const QString& name) {
    rewrite(blocksNamed(name), std::nullopt, nullptr);
}

} // namespace settings
