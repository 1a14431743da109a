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
#include <QFileInfo>
#include <QLibrary>

namespace {

using PrintSheet = void (*)(QWidget*, const ExamSheet&, const QLocale&, Printed&);

} // namespace

Printed printExamSheet(QWidget* parent, const ExamSheet& sheet, const QLocale& locale) {
    static PrintSheet print = nullptr;
    if (print == nullptr) {
        // Beside the program in the build tree; among the program's private files once installed.
        const QString name = QStringLiteral("zensulino-print.so");
        const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        const QString installed =
            QDir::cleanPath(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/" ZENSULINO_PRIVATE_LIBDIR_FROM_BIN "/") + name);
        QLibrary module(QFileInfo::exists(besideProgram) ? besideProgram : installed);
        if (module.load()) {
            print = reinterpret_cast<PrintSheet>(module.resolve("zensulinoPrintSheet"));
        }
        if (print == nullptr) {
            const QString path = QDir::toNativeSeparators(module.fileName());
            return {Printed::Outcome::Failed,
                    (QFileInfo::exists(module.fileName())
                         ? QStringLiteral("Das Druckmodul „%1“ lässt sich nicht laden:\n%2")
                               .arg(path, module.errorString())
                         : QStringLiteral("Das Druckmodul „%1“ fehlt; Zensulino ist nicht "
                                          "vollständig installiert.")
                               .arg(path)) +
                        QStringLiteral("\nDas Blatt lässt sich mit „Als PDF speichern...“ "
                                       "sichern und von dort drucken.")};
        }
    }
    Printed printed;
    print(parent, sheet, locale, printed);
    return printed;
}

#endif
