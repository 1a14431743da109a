// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/TableClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

void copyTables(const std::vector<grading::PasteTable>& tables, CaptionInText caption) {
    auto* data = new QMimeData;
    data->setText(grading::tabSeparated(tables, caption == CaptionInText::Yes));
    data->setHtml(grading::html(tables));
    QApplication::clipboard()->setMimeData(data);
}
