// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QString>
#include <QVarLengthArray>
#include <QtGlobal>
#include <optional>

// Every figure the program shows, copies, prints or writes into the key file is written here, and
// every decimal a teacher types into the editor or the key file is read here.
namespace grading {

__extension__ using Wide = __int128; // room for products of two 64-bit counts

// How a figure that lies between two written ones is written.
enum class Rounding {
    HalvesAwayFromZero, // averages, shares, percentages
    Up,                 // a quotient that passes a bound by a hair never reads as the bound
};

// numerator ÷ denominator (above 0) in whole units of the `decimals`-th decimal, rounded.
Wide roundedUnits(Wide numerator, Wide denominator, int decimals, Rounding rounding);

// Whether a figure writes every decimal ("2,50") or those it needs ("2,5", "40").
enum class Zeros { Kept, Dropped };

// `units` whole units of the `decimals`-th decimal (0 to 18) in the locale's digits, decimal sign
// and minus, without grouping: "1000", never "1.000", which an English spreadsheet reads as 1.
QString decimalText(qint64 units, int decimals, const QLocale& locale, Zeros zeros = Zeros::Kept);

// The same for many figures in one locale, as a file of 100,000 results needs them: the locale's
// signs looked up once.
class DecimalWriter {
public:
    explicit DecimalWriter(const QLocale& locale);
    void append(QString& text, qint64 units, int decimals, Zeros zeros = Zeros::Kept) const;
    void appendUtf8(QByteArray& bytes, qint64 units, int decimals, Zeros zeros = Zeros::Kept) const;
    // As `decimalText(value, asFewDecimalsAsExact, …)` writes it.
    void appendUtf8(QByteArray& bytes, double value) const;

private:
    void write(QVarLengthArray<char16_t, 88>& written, qint64 units, int decimals,
               Zeros zeros) const;

    QLocale m_locale;
    char32_t m_zero;
    QString m_point;
    QString m_minus;
};
// As many decimals as give the double back: a number as typed or a step of a key table ("37,5").
inline constexpr int asFewDecimalsAsExact = -128; // QLocale::FloatingPointShortest
// A figure past 64 bits of its last decimal (a single-precision percentage of 3E38, a quotient of
// 1E300 errors) or with decimals of its own (`asFewDecimalsAsExact`): the double, rounded to
// `decimals` decimals as named, in the same form.
QString decimalText(double value, int decimals, const QLocale& locale,
                    Rounding rounding = Rounding::HalvesAwayFromZero);

// The key file's fixed form of hundredths: a point, the decimals needed ("33.3", "-0.7", "40");
// with `point` ',' the same with a comma, which the file reads as well.
QString fileText(qint64 hundredths, QChar point = u'.');

// Where a decimal is typed: the editor's cells take the locale's form (under German a comma; a
// "." refused, which would be a group separator there), the key file a point or a comma.
enum class DecimalForm { Locale, File };
// A decimal with at most two decimals and at most 1000 before them, in hundredths; nothing for any
// other text. Blanks around it are the caller's.
std::optional<qint64> hundredthsFrom(const QString& text, DecimalForm form, const QLocale& locale);

} // namespace grading
