// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/Decimal.h"

#include <QLocale>
#include <QRegularExpression>
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

QString decimalText(qint64 units, int decimals, const QLocale& locale, Zeros zeros) {
    const QLocale plain = ungrouped(locale);
    // Magnitudes in unsigned arithmetic: the smallest qint64 has no positive twin.
    const quint64 magnitude =
        units < 0 ? 0 - static_cast<quint64>(units) : static_cast<quint64>(units);
    const auto unit = static_cast<quint64>(powerOfTen(decimals));
    QString text = plain.toString(magnitude / unit);
    QString fraction =
        plain.toString(magnitude % unit).rightJustified(decimals, locale.zeroDigit().front());
    if (zeros == Zeros::Dropped) {
        while (fraction.endsWith(locale.zeroDigit())) {
            fraction.chop(locale.zeroDigit().size());
        }
    }
    if (decimals > 0 && !fraction.isEmpty()) {
        text += locale.decimalPoint() + fraction;
    }
    return units < 0 ? locale.negativeSign() + text : text;
}

QString decimalText(double value, int decimals, const QLocale& locale, Rounding rounding) {
    static_assert(asFewDecimalsAsExact == QLocale::FloatingPointShortest);
    if (decimals != asFewDecimalsAsExact) {
        const double unit = std::pow(10.0, decimals);
        value =
            (rounding == Rounding::Up ? std::ceil(value * unit) : std::round(value * unit)) / unit;
    }
    return ungrouped(locale).toString(value + 0.0, 'f', decimals); // no "-0" for a tiny negative
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
