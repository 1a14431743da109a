// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Windows1252.h"

#include <array>

namespace settings {

namespace {

constexpr char16_t undefined = 0xFFFF;

// 0x80 to 0x9F; every other byte is the Latin-1 character of the same number.
constexpr std::array<char16_t, 32> upperControlRange{
    0x20AC,    undefined, 0x201A, 0x0192, 0x201E, 0x2026,    0x2020, 0x2021,
    0x02C6,    0x2030,    0x0160, 0x2039, 0x0152, undefined, 0x017D, undefined,
    undefined, 0x2018,    0x2019, 0x201C, 0x201D, 0x2022,    0x2013, 0x2014,
    0x02DC,    0x2122,    0x0161, 0x203A, 0x0153, undefined, 0x017E, 0x0178};

std::optional<char> byteFor(QChar c) {
    const char16_t unicode = c.unicode();
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) {
        return static_cast<char>(unicode);
    }
    for (std::size_t i = 0; i < upperControlRange.size(); ++i) {
        if (upperControlRange[i] == unicode && unicode != undefined) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> encodeWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto byte = byteFor(c);
        if (!byte) {
            return std::nullopt;
        }
        bytes.append(*byte);
    }
    return bytes;
}

std::optional<QString> decodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80 || value >= 0xA0) {
            text.append(QChar(value));
            continue;
        }
        const char16_t unicode = upperControlRange[value - 0x80];
        if (unicode == undefined) {
            return std::nullopt;
        }
        text.append(QChar(unicode));
    }
    return text;
}

} // namespace settings
