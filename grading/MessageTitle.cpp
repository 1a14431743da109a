// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/MessageTitle.h"

namespace grading {

QString messageTitle(MessageTitle title) {
    switch (title) {
    case MessageTitle::InputError:
        return QStringLiteral("Fehler!");
    case MessageTitle::Settings:
        return QStringLiteral("Einstellungen");
    case MessageTitle::Keys:
        return QStringLiteral("Notenschlüssel");
    case MessageTitle::KeyEditor:
        return QStringLiteral("Notenschlüssel bearbeiten");
    case MessageTitle::About:
        return QStringLiteral("Über...");
    case MessageTitle::Printing:
        return QStringLiteral("Drucken");
    case MessageTitle::SavingPdf:
        return QStringLiteral("Als PDF speichern");
    case MessageTitle::SavingCsv:
        return QStringLiteral("Als CSV speichern");
    }
    return {};
}

} // namespace grading
