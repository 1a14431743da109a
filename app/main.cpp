// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/QtTranslations.h"
#include "window/frmMain.h"
#include "zensulino/Version.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zensulino"));
    QApplication::setApplicationVersion(QStringLiteral(ZENSULINO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zensulino.Zensulino"));
    installQtTranslations(QLocale::system());

    frmMain window;
    window.show();
    return QApplication::exec();
}
