// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/Printed.h"

#include <QLocale>

class QWidget;
struct ExamSheet;

// "Drucken...": the print dialog, then the sheet on the printer chosen. The printing code is a
// module of its own, opened on the first call, where the program is built with it apart.
Printed printExamSheet(QWidget* parent, const ExamSheet& sheet, const QLocale& locale);
