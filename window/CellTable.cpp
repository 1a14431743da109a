// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CellTable.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

void showCells(QTableWidget* table, const grading::PasteTable& cells, const CellLook& look) {
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Arrow keys move in the table and a screen reader reads the cell; Tab leaves it, else the
    // keyboard stays caught in its cells.
    table->setTabKeyNavigation(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->setVisible(look.rowHeadings);

    const int skip = look.rowHeadings ? 1 : 0;
    const QStringList& header = cells.rows.front();
    const int columns = static_cast<int>(header.size()) - skip;
    const int rows = static_cast<int>(cells.rows.size()) - 1;
    table->setColumnCount(columns);
    table->setRowCount(rows);
    table->setHorizontalHeaderLabels(header.mid(skip));
    if (look.rowHeadings) {
        // The header row's own heading ("Punkte", "Note") names the grades above the counts.
        table->horizontalHeaderItem(0)->setToolTip(header.front());
    }
    for (int row = 0; row < rows; ++row) {
        const QStringList& line = cells.rows[static_cast<std::size_t>(row) + 1];
        if (look.rowHeadings) {
            table->setVerticalHeaderItem(row, new QTableWidgetItem(line.front()));
        }
        for (int column = 0; column < columns && column + skip < line.size(); ++column) {
            auto* cell = new QTableWidgetItem(line[column + skip]);
            cell->setTextAlignment(column >= look.sameWidthFrom ? look.aligned : Qt::AlignCenter);
            table->setItem(row, column, cell);
        }
    }

    table->resizeColumnsToContents();
    int sharedWidth = 0;
    for (int column = look.sameWidthFrom; column < columns; ++column) {
        sharedWidth = std::max(sharedWidth, table->columnWidth(column));
    }
    for (int column = look.sameWidthFrom; column < columns; ++column) {
        table->setColumnWidth(column, sharedWidth);
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->resizeRowsToContents();
    const int frame = 2 * table->frameWidth();
    const int rowHeader = look.rowHeadings ? table->verticalHeader()->sizeHint().width() : 0;
    table->setFixedSize(rowHeader + table->horizontalHeader()->length() + frame,
                        table->horizontalHeader()->sizeHint().height() +
                            table->verticalHeader()->length() + frame);
}
