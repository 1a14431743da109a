// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/SheetPrinting.h"

#include "settings/SaveRoute.h"
#include "sheet/ExamSheet.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

QString printSheet(QPrinter& printer, const ExamSheet& sheet, const QLocale& locale) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        return settings::saveBytes(printer.outputFileName(), examSheetPdf(sheet, locale),
                                   {QStringLiteral("Das PDF wurde nicht gespeichert."),
                                    QStringLiteral("Eine vorhandene Datei bleibt unverändert.")});
    }
    // Pages chosen in the print dialog, else all.
    const bool someOnly = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    paintExamSheet(printer, sheet, locale,
                   someOnly ? PageRange{printer.fromPage(), printer.toPage()} : PageRange{});
    if (printer.printerState() == QPrinter::Error) {
        return QStringLiteral("Der Drucker „%1“ hat einen Fehler gemeldet; das Blatt wurde nicht "
                              "gedruckt.")
            .arg(printer.printerName());
    }
    return {};
}

Printed printWithDialog(QWidget* parent, const ExamSheet& sheet, const QLocale& locale) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        return {Printed::Outcome::NoPrinter, {}};
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter));
    printer.setDocName(QStringLiteral("Notenspiegel"));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    QString problem = printSheet(printer, sheet, locale);
    return {problem.isEmpty() ? Printed::Outcome::Printed : Printed::Outcome::Failed,
            std::move(problem)};
}
