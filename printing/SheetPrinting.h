// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/Printed.h"

#include <QLocale>

class QPrinter;
class QWidget;
struct ExamSheet;

// Prints the sheet on a printer chosen already. Where the printer prints into a PDF file, the
// sheet is made in memory and written through the save route, as "Als PDF speichern..." does, so
// that a full disk is said and the former file stays. A German message where it failed.
QString printSheet(QPrinter& printer, const ExamSheet& sheet, const QLocale& locale);

// Asks for a printer in the system's print dialog and prints; where no printer is installed,
// says so without a dialog.
Printed printWithDialog(QWidget* parent, const ExamSheet& sheet, const QLocale& locale);
