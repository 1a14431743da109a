// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What poppler makes of a PDF: `pdfinfo`, or the text of `pdftotext` (pages `first` to `last`,
// all where none) laid out, blanks folded.
inline QString poppler(const QString& tool, const QString& pdf, int first = 0, int last = 0) {
    QStringList arguments{pdf};
    if (tool == "pdftotext") {
        arguments = {"-layout", pdf, "-"};
        if (first > 0) {
            arguments =
                QStringList{"-f", QString::number(first), "-l", QString::number(last)} + arguments;
        }
    }
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}
