// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/HelpSection.h"

QString heading(HelpSection section) {
    switch (section) {
    case HelpSection::Start:
        return QStringLiteral("Zensulino – Handbuch");
    case HelpSection::FirstSteps:
        return QStringLiteral("Erste Schritte");
    case HelpSection::Keys:
        return QStringLiteral("Notenschlüssel");
    case HelpSection::GradeMemory:
        return QStringLiteral("Noten-Speicher und Notenspiegel");
    case HelpSection::KeyTable:
        return QStringLiteral("Notenschlüssel für die Arbeit");
    case HelpSection::Paper:
        return QStringLiteral("Drucken und PDF");
    case HelpSection::Editor:
        return QStringLiteral("Der Editor");
    case HelpSection::ImportExport:
        return QStringLiteral("Importieren und Exportieren");
    case HelpSection::TaskPoints:
        return QStringLiteral("Punkte je Aufgabe und CSV-Datei");
    }
    return {};
}
