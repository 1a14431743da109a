// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/PasteTable.h"

namespace grading {

QString tabSeparated(const std::vector<PasteTable>& tables, bool withCaptions) {
    QStringList blocks;
    for (const PasteTable& table : tables) {
        QStringList lines;
        if (withCaptions) {
            lines << table.caption;
        }
        for (const QStringList& row : table.rows) {
            lines << row.join(u'\t');
        }
        blocks << lines.join(u'\n') + u'\n';
    }
    return blocks.join(u'\n');
}

QString html(const std::vector<PasteTable>& tables) {
    QString out = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n");
    for (const PasteTable& table : tables) {
        out += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
                              "<caption>%1</caption>\n")
                   .arg(table.caption.toHtmlEscaped());
        bool heading = true;
        for (const QStringList& row : table.rows) {
            const QString cell = heading ? QStringLiteral("th") : QStringLiteral("td");
            out += QStringLiteral("<tr>");
            for (const QString& text : row) {
                out += QStringLiteral("<%1>%2</%1>").arg(cell, text.toHtmlEscaped());
            }
            out += QStringLiteral("</tr>\n");
            heading = false;
        }
        out += QStringLiteral("</table>\n");
    }
    return out + QStringLiteral("</body></html>\n");
}

} // namespace grading
