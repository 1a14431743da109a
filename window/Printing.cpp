// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/Printing.h"

#ifdef ZENSULINO_PRINT_BUILT_IN

#include "printing/SheetPrinting.h"

Printed printExamSheet(QWidget* parent, const ExamSheet& sheet, const QLocale& locale) {
    return printWithDialog(parent, sheet, locale);
}

#else

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

using PrintSheet = void (*)(QWidget*, const ExamSheet&, const QLocale&, Printed&);

} // namespace

Printed printExamSheet(QWidget* parent, const ExamSheet& sheet, const QLocale& locale) {
    static PrintSheet print = nullptr;
    if (print == nullptr) {
        // Beside the program in the build tree; among the program's private files once installed.
        const QDir program(QCoreApplication::applicationDirPath());
        QLibrary module;
        for (const QString& path : {program.filePath(QStringLiteral("zensulino-print")),
                                    program.filePath(QStringLiteral(
                                        ZENSULINO_PRIVATE_LIBDIR_FROM_BIN "/zensulino-print"))}) {
            module.setFileName(path);
            if (module.load()) {
                break;
            }
        }
        print = reinterpret_cast<PrintSheet>(module.resolve("zensulinoPrintSheet"));
        if (print == nullptr) {
            return {Printed::Outcome::Failed,
                    QStringLiteral("Das Druckmodul „%1“ lässt sich nicht laden: %2\nDas Blatt "
                                   "lässt sich mit „Als PDF speichern...“ sichern und von dort "
                                   "drucken.")
                        .arg(QDir::toNativeSeparators(module.fileName()), module.errorString())};
        }
    }
    Printed printed;
    print(parent, sheet, locale, printed);
    return printed;
}

#endif
