// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/AboutText.h"

#include "window/MenuHint.h"
#include "zensulino/Version.h"

QString aboutText(int year) {
    return QStringLiteral("Zensulino Version " ZENSULINO_ABOUT_VERSION "\r"
                          "\r"
                          "Programm: %1 %2 Zensulino-Projekt\r"
                          "\r"
                          "Besuchen Sie mich im Internet:\r"
                          "https://zensulino.example.org\r"
                          "\r")
               .arg(QChar(0xA9))
               .arg(year, 4, 10, QLatin1Char('0')) +
           menuHint();
}
