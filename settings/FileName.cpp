// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileName.h"

namespace settings {

QString fileNameFromTitle(const QString& title, const QString& untitled, const QString& suffix) {
    QString name = title.trimmed();
    if (name.isEmpty()) {
        return untitled + suffix;
    }
    for (QChar& c : name) {
        if (QStringView(u"\\/:*?\"<>|").contains(c)) {
            c = u'-';
        }
    }
    return name + suffix;
}

} // namespace settings
