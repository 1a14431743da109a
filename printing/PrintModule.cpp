// SPDX-License-Identifier: GPL-3.0-or-later
// The printing code as a module of its own, which the program opens on the first "Drucken...":
// Qt's print support then costs nothing at start-up.
#include "printing/SheetPrinting.h"

extern "C" Q_DECL_EXPORT void zensulinoPrintSheet(QWidget* parent, const ExamSheet& sheet,
                                                  const QLocale& locale, Printed& printed) {
    printed = printWithDialog(parent, sheet, locale);
}
