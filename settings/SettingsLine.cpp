#include "settings/SettingsLine.h"

#include "settings/Windows1252.h"

#include <QStringDecoder>
#include <algorithm>

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

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

class LineReader {
public:
    explicit LineReader(const QString& content) : m_content(content) {}

    ParsedLine read() {
        StoredTexts texts;
        const auto fields = fieldsOf(texts);
        for (int i = 0; i < fieldCount; ++i) {
            skipBlanks();
            if (i > 0) {
                if (atLineEnd()) {
                    return fail(QStringLiteral("Sie enthält nur %1 der 5 Felder").arg(i));
                }
                if (!take(u',')) {
                    return fail(QStringLiteral("Nach Feld %1 fehlt das Komma").arg(i));
                }
                skipBlanks();
            }
            if (atLineEnd()) {
                return fail(QStringLiteral("Sie enthält nur %1 der 5 Felder").arg(i));
            }
            const auto field = readQuoted();
            if (!field) {
                return fail(m_problem.arg(i + 1));
            }
            *fields[i] = *field;
        }
        skipBlanks();
        take(u'\r');
        take(u'\n');
        while (take(u'\r') || take(u'\n')) {
        }
        if (m_pos != m_content.size()) {
            return fail(QStringLiteral("Nach dem fünften Feld folgt weiterer Text"));
        }
        return {texts, {}};
    }

private:
    bool atLineEnd() const {
        return m_pos == m_content.size() || m_content[m_pos] == u'\r' || m_content[m_pos] == u'\n';
    }

    bool take(char16_t expected) {
        if (m_pos < m_content.size() && m_content[m_pos] == expected) {
            ++m_pos;
            return true;
        }
        return false;
    }

    void skipBlanks() {
        while (take(u' ') || take(u'\t')) {
        }
    }

    std::optional<QString> readQuoted() {
        if (!take(u'"')) {
            m_problem = QStringLiteral("Feld %1 beginnt nicht mit einem Anführungszeichen");
            return std::nullopt;
        }
        QString text;
        while (m_pos < m_content.size()) {
            const QChar c = m_content[m_pos++];
            if (c == u'"') {
                if (!take(u'"')) {
                    return text;
                }
            } else if (isControl(c)) {
                break;
            }
            text.append(c);
        }
        m_problem = QStringLiteral("In Feld %1 fehlt das schließende Anführungszeichen");
        return std::nullopt;
    }

    static ParsedLine fail(const QString& problem) { return {std::nullopt, problem}; }

    const QString& m_content;
    qsizetype m_pos = 0;
    QString m_problem;
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
    // A file someone saved from an editor as UTF-8 with a byte-order mark reads as well.
    static const QByteArray utf8Mark("\xEF\xBB\xBF");
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
        for (qsizetype pos = 0; pos < text.size(); ++pos) {
            const QChar c = text[pos];
            if (isControl(c)) {
                return QStringLiteral("Das Feld „%1“ enthält einen Zeilenumbruch oder ein "
                                      "Steuerzeichen.")
                    .arg(fieldLabel(i));
            }
            if (!isWindows1252(c)) {
                const qsizetype length = c.isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
                return QStringLiteral("Das Feld „%1“ enthält das Zeichen „%2“, das die "
                                      "Einstellungsdatei nicht speichern kann.")
                    .arg(fieldLabel(i), text.mid(pos, length));
            }
        }
    }
    return {};
}

} // namespace settings
