// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsLine.h"

#include "settings/Windows1252.h"
#include "tests/support/GTestSupport.h"

#include <gtest/gtest.h>

using settings::StoredTexts;

namespace settings {
void PrintTo(const StoredTexts& t, std::ostream* out) {
    *out << '[' << t.rohpunkte.toStdString() << '|' << t.punkte.toStdString() << '|'
         << t.ergebnisProzent.toStdString() << '|' << t.ergebnisNote.toStdString() << '|'
         << t.schluessel.toStdString() << ']';
}
} // namespace settings

namespace {

TEST(Windows1252, EveryDefinedByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray bytes(1, static_cast<char>(byte));
        const auto text = settings::decodeWindows1252(bytes);
        const bool undefined =
            byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        ASSERT_EQ(text.has_value(), !undefined) << byte;
        if (text) {
            EXPECT_EQ(settings::encodeWindows1252(*text), bytes) << byte;
        }
    }
}

TEST(Windows1252, MapsTheCharactersBeyondLatin1) {
    EXPECT_EQ(settings::encodeWindows1252(QString::fromUtf8("€ „ä“ ß")),
              QByteArray("\x80 \x84\xE4\x93 \xDF"));
    EXPECT_EQ(settings::encodeWindows1252(QString::fromUtf8("Ω")), std::nullopt);
    EXPECT_EQ(settings::encodeWindows1252(QString(QChar(0x81))), std::nullopt);
}

TEST(FormatSettingsLine, WritesFiveQuotedFieldsAndCrLf) {
    const QString line = settings::formatSettingsLine({"40", "35", "87,5", "13", "GYM"});
    EXPECT_EQ(line, "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
    EXPECT_EQ(line.size(), 27 + 2);
}

TEST(FormatSettingsLine, DoublesQuotesAndKeepsEmptyTexts) {
    EXPECT_EQ(settings::formatSettingsLine({"", "a\"b", "", "", ""}),
              "\"\",\"a\"\"b\",\"\",\"\",\"\"\r\n");
}

struct GoodLine {
    std::string name;
    QString content;
    StoredTexts texts;
};

class ParseGoodLine : public testing::TestWithParam<GoodLine> {};

TEST_P(ParseGoodLine, ReadsAllFiveTexts) {
    const auto parsed = settings::parseSettingsLine(GetParam().content);
    ASSERT_TRUE(parsed.texts.has_value()) << parsed.problem.toStdString();
    EXPECT_EQ(*parsed.texts, GetParam().texts);
}

const StoredTexts sample{"40", "35", "87,5", "13", "GYM"};

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseGoodLine,
    testing::Values(
        GoodLine{"crlf", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n", sample},
        GoodLine{"lf", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\n", sample},
        GoodLine{"no_line_end", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"", sample},
        GoodLine{"trailing_empty_lines", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n\r\n\n", sample},
        GoodLine{"blanks_between_fields", "\"40\" , \"35\",\t\"87,5\",\"13\",\"GYM\" \r\n", sample},
        GoodLine{"empty_texts", "\"\",\"\",\"\",\"\",\"\"\r\n", {"", "", "", "", ""}},
        GoodLine{"doubled_quote", "\"a\"\"b\",\"\"\"\",\"\",\"\",\"\"", {"a\"b", "\"", "", "", ""}},
        GoodLine{"comma_inside_quotes",
                 "\"1,5\",\"a,b\",\"\",\"\",\"x,y\"",
                 {"1,5", "a,b", "", "", "x,y"}},
        GoodLine{"typed_key_text", "\"1\",\"2\",\"3\",\"4\",\"ihk\"", {"1", "2", "3", "4", "ihk"}},
        GoodLine{"plain_quote_inside",
                 "\"4\"0\",\"35\",\"87,5\",\"13\",\"GYM\"",
                 {"4\"0", "35", "87,5", "13", "GYM"}},
        GoodLine{"plain_quote_at_the_end",
                 "\"a\"\",\"35\",\"87,5\",\"13\",\"GYM\"",
                 {"a\"", "35", "87,5", "13", "GYM"}},
        GoodLine{
            "plain_quote_comma_inside", "\"4\",5\",\"\",\"\",\"\",\"\"", {"4\",5", "", "", "", ""}},
        GoodLine{"doubled_quote_before_comma",
                 "\"a\"\",\"\"\"\"b\",\"\",\"\",\"\",\"\"",
                 {"a\",\"\"b", "", "", "", ""}},
        GoodLine{"plain_quote_ends_the_fifth_field",
                 "\"40\",\"35\",\"87,5\",\"13\",\"ihk\"\"\r\n",
                 {"40", "35", "87,5", "13", "ihk\""}},
        GoodLine{"plain_quote_before_a_comma",
                 "\"a\",b\"c\",\"2\",\"3\",\"4\",\"5\"",
                 {"a\",b\"c", "2", "3", "4", "5"}},
        GoodLine{"umlauts",
                 QString::fromUtf8("\"ä\",\"ö\",\"ü\",\"ß\",\"€\""),
                 {QString::fromUtf8("ä"), QString::fromUtf8("ö"), QString::fromUtf8("ü"),
                  QString::fromUtf8("ß"), QString::fromUtf8("€")}}),
    ROW_NAMES);

struct BadLine {
    std::string name;
    QString content;
    QString problem;
};

class ParseBadLine : public testing::TestWithParam<BadLine> {};

TEST_P(ParseBadLine, SaysWhatIsWrongAndReadsNothing) {
    const auto parsed = settings::parseSettingsLine(GetParam().content);
    EXPECT_FALSE(parsed.texts.has_value());
    EXPECT_EQ(parsed.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseBadLine,
    testing::Values(
        BadLine{"empty_file", "", "Sie enthält nur 0 der 5 Felder"},
        BadLine{"four_fields", "\"40\",\"35\",\"87,5\",\"13\"\r\n",
                "Sie enthält nur 4 der 5 Felder"},
        BadLine{"fields_on_two_lines", "\"40\",\"35\"\r\n\"87,5\",\"13\",\"GYM\"\r\n",
                "Sie enthält nur 2 der 5 Felder"},
        BadLine{"unquoted_field", "40,\"35\",\"87,5\",\"13\",\"GYM\"",
                QString::fromUtf8("Feld 1 beginnt nicht mit einem Anführungszeichen")},
        BadLine{"broken_quote", "\"40\",\"35,\"87,5\",\"13\",\"GYM\"",
                "Sie enthält nur 4 der 5 Felder"},
        BadLine{"unclosed_last_quote", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\r\n",
                QString::fromUtf8("In Feld 5 fehlt das schließende Anführungszeichen")},
        BadLine{"missing_comma", "\"40\" \"35\",\"\",\"\",\"\"", "Sie enthält nur 4 der 5 Felder"},
        BadLine{"tab_inside_a_field", "\"4\t0\",\"35\",\"87,5\",\"13\",\"GYM\"",
                QString::fromUtf8("In Feld 1 fehlt das schließende Anführungszeichen")},
        BadLine{"unquoted_second_field", "\"40\",35,\"\",\"\",\"\"",
                QString::fromUtf8("Feld 2 beginnt nicht mit einem Anführungszeichen")},
        BadLine{"seven_fields", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\" ,\"x\",\"y\"",
                QString::fromUtf8("Nach dem fünften Feld folgt weiterer Text")},
        BadLine{"trailing_comma", "\"40\",\"35\",\"87,5\",\"13\",\"IHK\",\r\n",
                QString::fromUtf8("Nach dem fünften Feld folgt weiterer Text")},
        BadLine{"text_after_the_last_quote", "\"40\",\"35\",\"87,5\",\"13\",\"IHK\" x\r\n",
                QString::fromUtf8("Nach dem fünften Feld folgt weiterer Text")},
        BadLine{"second_line", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\nmehr\r\n",
                QString::fromUtf8("Nach dem fünften Feld folgt weiterer Text")}),
    ROW_NAMES);

struct StorableRow {
    std::string name;
    StoredTexts texts;
    QString problem;
};

class WhyNotStorable : public testing::TestWithParam<StorableRow> {};

TEST_P(WhyNotStorable, NamesTheFieldThatCannotBeStored) {
    EXPECT_EQ(settings::whyNotStorable(GetParam().texts), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WhyNotStorable,
    testing::Values(StorableRow{"any_character",
                                {"a\"b", QString::fromUtf8("äöü€"), QString::fromUtf8("∞"),
                                 QString::fromUtf8("−4"), QString::fromUtf8("Ω😀")},
                                ""},
                    StorableRow{"half_a_character",
                                {QString(QChar(0xD83D)), "", "", "", ""},
                                QString::fromUtf8(
                                    "Das Feld „Rohpunkte“ enthält ein unvollständiges Zeichen, das "
                                    "die Einstellungsdatei nicht speichern kann.")},
                    StorableRow{"line_break",
                                {"1", "2\n3", "", "", ""},
                                QString::fromUtf8("Das Feld „erreichte Rohpunktzahl“ enthält einen "
                                                  "Zeilenumbruch oder ein Steuerzeichen.")}),
    ROW_NAMES);

} // namespace
