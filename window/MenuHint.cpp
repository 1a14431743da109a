// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/MenuHint.h"

QString menuHint() {
    return QStringLiteral("Rechtsklick oder F10: Menü · F1: Hilfe");
}

QString withMenuHint(const QString& takes) {
    return takes + QLatin1Char('\n') + menuHint();
}
