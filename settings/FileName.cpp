// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileName.h"

#include "grading/ShortName.h"

#include <QRegularExpression>

namespace settings {

namespace {

// Longer names get cut: 80 characters of up to three bytes each stay within the 255 bytes a file
// name may have, in UTF-8 as in UTF-16.
constexpr qsizetype longestProposal = 80;

// Windows opens a device, not a file, under these names, also with blanks or any suffix after
// them ("nul.2 Arbeit.pdf"); where the name starts with one, a "-" after it makes it a file's.
qsizetype deviceNameEnd(const QString& name) {
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(?=\\s*(\\.|$))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = device.match(name);
    return match.hasMatch() ? match.capturedEnd(1) : 0;
}

} // namespace

QString fileNameFromTitle(const QString& title, const QString& untitled, const QString& suffix) {
    QString name = title.trimmed();
    name = grading::cutAtWordEnd(name, longestProposal);
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c)) {
            c = u'-';
        }
    }
    if (name.isEmpty()) {
        return untitled + suffix;
    }
    if (const qsizetype end = deviceNameEnd(name); end > 0) {
        name.insert(end, u'-');
    }
    return name + suffix;
}

} // namespace settings
