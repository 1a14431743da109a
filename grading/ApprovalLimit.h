// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class QLocale;

namespace grading {

// When an exam needs the head's approval: more than, or at least, a share of its results weak,
// the share a fraction, compared exactly.
struct ApprovalLimit {
    bool atLeast = false; // "ab": the share itself counts; "mehr als": only above it
    qint64 numerator = 0;
    qint64 denominator = 1; // in lowest terms
    QString fileText;       // after "genehmigung=", as the key file has it

    // Whether `weak` of `results` (more than none) reach the limit.
    bool reached(qint64 weak, qint64 results) const;
    // The editor's words for it where it has them ("ab einem Drittel"), else a fraction as the file
    // has it ("ab 7/100") and a percentage in the locale's form ("ab 99,99 %").
    QString wording(const QLocale& locale) const;

    // Equal where they draw the same line, however written.
    friend bool operator==(const ApprovalLimit& one, const ApprovalLimit& other) {
        return one.atLeast == other.atLeast && one.numerator == other.numerator &&
               one.denominator == other.denominator;
    }
};

// The limits the editor offers, in its words and in the file's.
struct NamedLimit {
    const char* words;
    const char* fileText;
};
inline constexpr NamedLimit namedLimits[] = {
    {"mehr als 30 %", "mehr als 30 %"},
    {"mehr als ein Drittel", "mehr als 1/3"},
    {"ab einem Drittel", "ab 1/3"},
    {"mehr als die Hälfte", "mehr als 1/2"},
};

// The limit a key file's text after "genehmigung=" gives: "mehr als" or "ab", one blank, then a
// percentage above 0 and below 100 with at most two decimals (point or comma) and "%" after an
// optional blank, or a fraction a/b of whole numbers, 1 <= a < b <= 100. Else why not.
struct ApprovalRead {
    std::optional<ApprovalLimit> limit;
    QString problem; // German, naming the rule
};
ApprovalRead approvalFromFileText(const QString& text);

} // namespace grading
