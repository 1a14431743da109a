// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Decimal.h"

#include <QLocale>
#include <QRegularExpression>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace grading {

namespace {

// Every figure is written without digit grouping.
QLocale ungrouped(const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain;
}

Wide powerOfTen(int decimals) {
    Wide power = 1;
    for (int d = 0; d < decimals; ++d) {
        power *= 10;
    }
    return power;
}

} // namespace

Wide roundedUnits(Wide numerator, Wide denominator, int decimals, Rounding rounding) {
    const Wide scaled = numerator * powerOfTen(decimals);
    const Wide magnitude = scaled < 0 ? -scaled : scaled;
    Wide units = 0;
    switch (rounding) {
    case Rounding::HalvesAwayFromZero:
        units = (2 * magnitude + denominator) / (2 * denominator);
        break;
    case Rounding::Up:
        units = scaled < 0 ? magnitude / denominator : (magnitude + denominator - 1) / denominator;
        break;
    }
    return scaled < 0 ? -units : units;
}

DecimalWriter::DecimalWriter(const QLocale& locale)
    : m_locale(locale), m_zero(locale.zeroDigit().toUcs4().value(0, U'0')),
      m_point(locale.decimalPoint()), m_minus(locale.negativeSign()) {}

// Written into a buffer and appended at once: a file of four million figures is written in a blink.
using Written = QVarLengthArray<char16_t, 88>;

void DecimalWriter::write(Written& written, qint64 units, int decimals, Zeros zeros) const {
    // Magnitudes in unsigned arithmetic: the smallest qint64 has no positive twin.
    quint64 magnitude = units < 0 ? 0 - static_cast<quint64>(units) : static_cast<quint64>(units);
    char digits[40];
    int count = 0;
    for (int place = 0; place <= decimals || magnitude > 0; ++place) {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    int last = 0; // trailing zeros dropped stop here
    if (zeros == Zeros::Dropped) {
        while (last < decimals && digits[last] == '0') {
            ++last;
        }
    }
    auto put = [&](QStringView part) {
        written.append(part.utf16(), part.size());
    };
    if (units < 0) {
        put(m_minus);
    }
    for (int at = count - 1; at >= last; --at) {
        if (at == decimals - 1) {
            put(m_point);
        }
        const char32_t digit = m_zero + static_cast<char32_t>(digits[at] - '0');
        if (QChar::requiresSurrogates(digit)) {
            written.append(QChar::highSurrogate(digit));
            written.append(QChar::lowSurrogate(digit));
        } else {
            written.append(static_cast<char16_t>(digit));
        }
    }
}

void DecimalWriter::append(QString& text, qint64 units, int decimals, Zeros zeros) const {
    Written written;
    write(written, units, decimals, zeros);
    text.append(QStringView(written.constData(), written.size()));
}

void DecimalWriter::appendUtf8(QByteArray& bytes, qint64 units, int decimals, Zeros zeros) const {
    Written written;
    write(written, units, decimals, zeros);
    const QStringView text(written.constData(), written.size());
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        for (QChar c : text) {
            bytes.append(static_cast<char>(c.unicode()));
        }
    } else {
        bytes.append(text.toUtf8());
    }
}

QString decimalText(qint64 units, int decimals, const QLocale& locale, Zeros zeros) {
    QString text;
    DecimalWriter(locale).append(text, units, decimals, zeros);
    return text;
}

namespace {

// Points as typed, in hundredths: no shorter decimal than those gives the same double.
std::optional<qint64> typedHundredths(double value) {
    const double hundredths = value * 100.0;
    if (std::fabs(value) < 1e12 && std::round(hundredths) == hundredths &&
        std::round(hundredths) / 100.0 == value) {
        return static_cast<qint64>(hundredths);
    }
    return std::nullopt;
}

} // namespace

QString decimalText(double value, int decimals, const QLocale& locale, Rounding rounding) {
    static_assert(asFewDecimalsAsExact == QLocale::FloatingPointShortest);
    // Far below 2^53 units the double of a whole number of them lies within a small part of a unit
    // of it, so the integer route writes the very digits the double's would.
    constexpr double exactUnits = 0x1p50;
    if (decimals != asFewDecimalsAsExact) {
        const double unit = std::pow(10.0, decimals);
        const double units =
            rounding == Rounding::Up ? std::ceil(value * unit) : std::round(value * unit);
        if (std::fabs(units) < exactUnits) {
            return decimalText(static_cast<qint64>(units), decimals, locale);
        }
        value = units / unit;
    } else if (const std::optional<qint64> hundredths = typedHundredths(value)) {
        return decimalText(*hundredths, 2, locale, Zeros::Dropped);
    }
    return ungrouped(locale).toString(value + 0.0, 'f', decimals); // no "-0" for a tiny negative
}

void DecimalWriter::appendUtf8(QByteArray& bytes, double value) const {
    if (const std::optional<qint64> hundredths = typedHundredths(value)) {
        appendUtf8(bytes, *hundredths, 2, Zeros::Dropped);
    } else {
        bytes += decimalText(value, asFewDecimalsAsExact, m_locale).toUtf8();
    }
}

QString fileText(qint64 hundredths, QChar point) {
    QLocale file = QLocale::c();
    QString text = decimalText(hundredths, 2, file, Zeros::Dropped);
    return text.replace(u'.', point);
}

std::optional<qint64> hundredthsFrom(const QString& text, DecimalForm form, const QLocale& locale) {
    QString plain = text;
    if (form == DecimalForm::Locale) {
        if (locale.decimalPoint() != QStringLiteral(".") && plain.contains(u'.')) {
            return std::nullopt;
        }
        // The locale's own digits, as the editor writes them ("٤٢٫٥" in Arabic).
        for (QChar& c : plain) {
            if (c.isDigit() && c.unicode() > 0x7F) {
                c = QChar(u'0' + c.digitValue());
            }
        }
        plain.replace(locale.decimalPoint(), QStringLiteral("."));
        if (plain.startsWith(locale.negativeSign())) {
            plain.replace(0, locale.negativeSign().size(), QStringLiteral("-"));
        }
    } else {
        plain.replace(u',', u'.');
    }
    static const QRegularExpression decimal(
        QStringLiteral("^(-?)(\\d{1,3}|1000)(?:\\.(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = decimal.match(plain);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const qint64 magnitude = 100 * match.captured(2).toLongLong() +
                             match.captured(3).leftJustified(2, u'0').toLongLong();
    return match.captured(1).isEmpty() ? magnitude : -magnitude;
}

} // namespace grading
