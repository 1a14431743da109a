// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileName.h"

#include <QRegularExpression>

namespace settings {

namespace {

// Longer names get cut: 80 characters of up to three bytes each stay within the 255 bytes a file
// name may have, in UTF-8 as in UTF-16.
constexpr qsizetype longestProposal = 80;

// Windows opens a device, not a file, under these names, whatever the suffix.
bool namesADevice(const QString& name) {
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

} // namespace

QString fileNameFromTitle(const QString& title, const QString& untitled, const QString& suffix) {
    QString name = title.trimmed();
    if (name.size() > longestProposal) {
        const qsizetype blank = name.lastIndexOf(u' ', longestProposal);
        name.truncate(blank > 0 ? blank : longestProposal);
    }
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) {
            c = u'-';
        }
    }
    if (name.isEmpty()) {
        return untitled + suffix;
    }
    if (namesADevice(name)) {
        name += u'-';
    }
    return name + suffix;
}

} // namespace settings
