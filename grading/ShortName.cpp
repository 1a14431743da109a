// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/ShortName.h"

namespace grading {

QString cutAtWordEnd(const QString& name, qsizetype room) {
    if (name.size() <= room) {
        return name;
    }
    QString cut = name.left(room);
    if (!name[room].isSpace()) {
        if (const qsizetype space = cut.lastIndexOf(u' '); space > 0) {
            cut.truncate(space);
        }
    }
    const QString dangling = QStringLiteral(" ,;-–/+");
    while (cut.size() > 1 && dangling.contains(cut.back())) {
        cut.chop(1);
    }
    return cut;
}

} // namespace grading
