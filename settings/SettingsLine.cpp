// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsLine.h"

#include "settings/Windows1252.h"

#include <QStringDecoder>
#include <algorithm>
#include <vector>

namespace settings {

namespace {

constexpr int fieldCount = 5;

std::array<const QString*, fieldCount> fieldsOf(const StoredTexts& texts) {
    return {&texts.rohpunkte, &texts.punkte, &texts.ergebnisProzent, &texts.ergebnisNote,
            &texts.schluessel};
}

std::array<QString*, fieldCount> fieldsOf(StoredTexts& texts) {
    return {&texts.rohpunkte, &texts.punkte, &texts.ergebnisProzent, &texts.ergebnisNote,
            &texts.schluessel};
}

const QByteArray utf8Mark("\xEF\xBB\xBF");

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// Reads the five quoted fields. A quote inside a field closes it only where blanks and a comma
// follow (for the fifth field also the line end); a doubled quote reads as one quote, as we write
// it; any other quote is part of the text, as older files hold it unchanged. Where a line can be
// read in more than one way, the reading that gets through to the end wins, preferring closing
// over doubling over keeping, so that every line formatSettingsLine writes reads back as it was.
// A line that holds more than five fields as we write them is refused, never read with the extra
// fields taken into the texts (a key text IHK followed by a field "2" is no key text IHK","2).
class LineReader {
public:
    explicit LineReader(const QString& content) : m_content(content), m_size(content.size()) {
        m_lineEndsFrom = m_size;
        while (m_lineEndsFrom > 0 && isLineEnd(m_lineEndsFrom - 1)) {
            --m_lineEndsFrom;
        }
        m_lastQuote = content.lastIndexOf(u'"', m_lineEndsFrom - 1);
        markWhereAFieldCanBeFinished();
    }

    ParsedLine read() {
        if (hasFieldsBeyondTheFifth()) {
            return fail(QStringLiteral("Nach dem fünften Feld folgt weiterer Text"));
        }
        StoredTexts texts;
        const auto fields = fieldsOf(texts);
        qsizetype pos = skipBlanks(0);
        for (int field = 0; field < fieldCount; ++field) {
            if (field > 0) {
                // The previous field was closed before a comma, or before the line end where
                // the line cannot be read through.
                pos = skipBlanks(pos);
                if (pos < m_size && m_content[pos] == u',') {
                    pos = skipBlanks(pos + 1);
                }
            }
            if (pos == m_size || isLineEnd(pos)) {
                return fail(QStringLiteral("Sie enthält nur %1 der 5 Felder").arg(field));
            }
            if (m_content[pos] != u'"') {
                return fail(QStringLiteral("Feld %1 beginnt nicht mit einem Anführungszeichen")
                                .arg(field + 1));
            }
            const auto end = readField(field, pos + 1, *fields[field]);
            if (!end) {
                return fail(QStringLiteral("In Feld %1 fehlt das schließende Anführungszeichen")
                                .arg(field + 1));
            }
            pos = *end;
        }
        if (skipBlanks(pos) < m_lineEndsFrom) {
            return fail(QStringLiteral("Nach dem fünften Feld folgt weiterer Text"));
        }
        return {texts, {}};
    }

private:
    enum class Step { Close, Double, Keep };

    bool isLineEnd(qsizetype pos) const {
        return m_content[pos] == u'\r' || m_content[pos] == u'\n';
    }
    bool isQuote(qsizetype pos) const { return pos < m_size && m_content[pos] == u'"'; }

    qsizetype skipBlanks(qsizetype pos) const {
        while (pos < m_size && (m_content[pos] == u' ' || m_content[pos] == u'\t')) {
            ++pos;
        }
        return pos;
    }

    bool beforeAComma(qsizetype quote) const {
        const qsizetype next = skipBlanks(quote + 1);
        return next < m_size && m_content[next] == u',';
    }

    bool beforeTheLineEnd(qsizetype quote) const {
        const qsizetype next = skipBlanks(quote + 1);
        return next == m_size || isLineEnd(next);
    }

    // Whether the quote at `quote` can close `field` so that the line reads on: blanks, then a
    // comma, or for the fifth field the line end.
    bool closes(int field, qsizetype quote) const {
        return field == fieldCount - 1 ? beforeTheLineEnd(quote) : beforeAComma(quote);
    }

    // A quote that must close the fifth field, whatever follows.
    bool endsTheLastField(int field, qsizetype quote) const {
        return field == fieldCount - 1 && (beforeAComma(quote) || quote == m_lastQuote);
    }

    bool canFinish(int field, qsizetype pos) const {
        return pos < m_size && (m_finishable[pos] & (1u << field)) != 0;
    }

    // Whether the rest of the line reads as the remaining fields, once `field` is closed by the
    // quote at `quote`.
    bool restReadsAfterClosing(int field, qsizetype quote) const {
        if (!closes(field, quote)) {
            return false;
        }
        if (field == fieldCount - 1) {
            return skipBlanks(quote + 1) >= m_lineEndsFrom;
        }
        const qsizetype next = skipBlanks(skipBlanks(quote + 1) + 1);
        return isQuote(next) && canFinish(field + 1, next + 1);
    }

    // Reads the line as formatSettingsLine writes it, every quote in a text doubled and any other
    // quote closing its field before a comma: whether a comma follows the fifth field.
    bool hasFieldsBeyondTheFifth() const {
        qsizetype pos = 0;
        for (int field = 0; field < fieldCount; ++field) {
            pos = skipBlanks(pos);
            if (!isQuote(pos)) {
                return false;
            }
            ++pos;
            while (!(isQuote(pos) && (beforeAComma(pos) || beforeTheLineEnd(pos)))) {
                if (pos == m_size || isControl(m_content[pos])) {
                    return false;
                }
                pos += isQuote(pos) && isQuote(pos + 1) ? 2 : 1;
            }
            if (beforeTheLineEnd(pos)) {
                return false;
            }
            pos = skipBlanks(pos + 1) + 1; // past the comma
        }
        return true;
    }

    // m_finishable[pos] has bit `field` set when the text from `pos` on, read as the inside of
    // `field`, gets through to the end of the line. Worked out backwards, so every position is
    // looked at once per field, whatever the quotes: no reading takes more than linear time.
    void markWhereAFieldCanBeFinished() {
        m_finishable.assign(static_cast<std::size_t>(m_size), 0);
        for (qsizetype pos = m_size - 1; pos >= 0; --pos) {
            const QChar c = m_content[pos];
            if (isControl(c)) {
                continue;
            }
            for (int field = 0; field < fieldCount; ++field) {
                bool finishable = canFinish(field, pos + 1);
                if (c == u'"' && endsTheLastField(field, pos)) {
                    finishable = restReadsAfterClosing(field, pos);
                } else if (c == u'"' && !finishable) {
                    finishable = restReadsAfterClosing(field, pos) ||
                                 (isQuote(pos + 1) && canFinish(field, pos + 2));
                }
                if (finishable) {
                    m_finishable[pos] |= static_cast<unsigned char>(1u << field);
                }
            }
        }
    }

    // Where the line cannot be read through, the first step that fits is taken, so the reader
    // stops where the line first goes wrong.
    Step stepAtQuote(int field, qsizetype quote) const {
        const bool canClose = closes(field, quote) || beforeTheLineEnd(quote);
        const bool canDouble = isQuote(quote + 1);
        if (restReadsAfterClosing(field, quote) || endsTheLastField(field, quote)) {
            return Step::Close;
        }
        if (canDouble && canFinish(field, quote + 2)) {
            return Step::Double;
        }
        if (canFinish(field, quote + 1)) {
            return Step::Keep;
        }
        return canClose ? Step::Close : canDouble ? Step::Double : Step::Keep;
    }

    // Reads the inside of a field from `pos` into `text`; gives the position after the closing
    // quote, or nothing when the line ends first.
    std::optional<qsizetype> readField(int field, qsizetype pos, QString& text) const {
        while (pos < m_size && !isControl(m_content[pos])) {
            const QChar c = m_content[pos];
            if (c != u'"') {
                text.append(c);
                ++pos;
                continue;
            }
            switch (stepAtQuote(field, pos)) {
            case Step::Close:
                return pos + 1;
            case Step::Double:
                text.append(c);
                pos += 2;
                break;
            case Step::Keep:
                text.append(c);
                ++pos;
                break;
            }
        }
        return std::nullopt;
    }

    static ParsedLine fail(const QString& problem) { return {std::nullopt, problem}; }

    const QString& m_content;
    const qsizetype m_size;
    qsizetype m_lineEndsFrom = 0; // from here on only line ends follow
    qsizetype m_lastQuote = -1;   // text behind it is no part of the fifth field
    std::vector<unsigned char> m_finishable;
};

} // namespace

QString fieldLabel(int fieldIndex) {
    static const std::array<const char*, fieldCount> labels{"Rohpunkte", "erreichte Rohpunktzahl",
                                                            "Ergebnis in Prozent", "Ergebnis Note",
                                                            "Notenschlüssel"};
    return QString::fromUtf8(labels.at(fieldIndex));
}

QString formatSettingsLine(const StoredTexts& texts) {
    QString line;
    for (const QString* field : fieldsOf(texts)) {
        if (!line.isEmpty()) {
            line += u',';
        }
        line += u'"';
        line += QString(*field).replace(u'"', QLatin1String("\"\""));
        line += u'"';
    }
    return line + QLatin1String("\r\n");
}

ParsedLine parseSettingsLine(const QString& content) {
    return LineReader(content).read();
}

ParsedLine readSettingsBytes(const QByteArray& bytes) {
    std::optional<QString> content;
    if (bytes.startsWith(utf8Mark)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        content = utf8.decode(bytes.mid(utf8Mark.size()));
        if (utf8.hasError()) {
            content.reset();
        }
    } else {
        content = decodeWindows1252(bytes);
    }
    const bool isText = content && std::none_of(content->begin(), content->end(), [](QChar c) {
                            return isControl(c) && c != u'\r' && c != u'\n' && c != u'\t';
                        });
    if (!isText) {
        return {std::nullopt, QStringLiteral("Sie enthält Bytes, die kein Text sind")};
    }
    return parseSettingsLine(*content);
}

QString whyNotStorable(const StoredTexts& texts) {
    const auto fields = fieldsOf(texts);
    for (int i = 0; i < fieldCount; ++i) {
        const QString& text = *fields[i];
        if (std::any_of(text.begin(), text.end(), isControl)) {
            return QStringLiteral("Das Feld „%1“ enthält einen Zeilenumbruch oder ein "
                                  "Steuerzeichen.")
                .arg(fieldLabel(i));
        }
        if (!text.isValidUtf16()) {
            return QStringLiteral("Das Feld „%1“ enthält ein unvollständiges Zeichen, das die "
                                  "Einstellungsdatei nicht speichern kann.")
                .arg(fieldLabel(i));
        }
    }
    return {};
}

QByteArray encodeSettingsLine(const StoredTexts& texts) {
    const QString line = formatSettingsLine(texts);
    if (auto windows1252 = encodeWindows1252(line)) {
        return *windows1252;
    }
    return utf8Mark + line.toUtf8();
}

} // namespace settings
