// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace settings {

// The five texts the settings file carries, in the order of its fields.
struct StoredTexts {
    QString rohpunkte;
    QString punkte;
    QString ergebnisProzent;
    QString ergebnisNote;
    QString schluessel;

    friend bool operator==(const StoredTexts&, const StoredTexts&) = default;
};

// The name the user knows each field by, for messages: "Rohpunkte", …, "Notenschlüssel".
QString fieldLabel(int fieldIndex);

// 40, 35, 87,5, 13 and GYM each between double quotes, separated by commas, and CR LF. A double
// quote inside a text is written doubled.
QString formatSettingsLine(const StoredTexts& texts);

struct ParsedLine {
    std::optional<StoredTexts> texts;
    QString problem; // German, says what is wrong when `texts` is empty
};

// Reads every line formatSettingsLine writes, with CR LF, LF or no line end at all, blanks between
// the fields, and trailing empty lines. Anything else is reported, never half read.
ParsedLine parseSettingsLine(const QString& content);

// The whole settings file as read from disk: Windows-1252, or UTF-8 after a byte-order mark.
// Bytes that are no text are reported like a damaged line.
ParsedLine readSettingsBytes(const QByteArray& bytes);

// The first reason the texts cannot be stored faithfully: a line break or other control character,
// or half of a character. Empty when they can be stored.
QString whyNotStorable(const StoredTexts& texts);

// The file's bytes: Windows-1252 whenever it holds every character, so files stay readable by
// older versions and plain editors; otherwise UTF-8 behind a byte-order mark ("∞", "−", "٣").
// Only for texts that whyNotStorable accepts.
QByteArray encodeSettingsLine(const StoredTexts& texts);

} // namespace settings
