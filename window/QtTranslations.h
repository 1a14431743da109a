// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLocale;

// Installs Qt's own translations (edit menus of text fields, dialog buttons) for the locale.
// Returns false where Qt has none for it, as for English.
bool installQtTranslations(const QLocale& locale);
