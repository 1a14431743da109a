// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/NotenSpeicher.h"

#include <QAbstractListModel>
#include <QItemSelection>
#include <vector>

// The grade memory as the box lists it: the heading, the empty line every entry's carriage
// return leaves behind it, then one row an entry. Only entries can be selected and taken out.
// Entries leave and come back a run of neighbouring rows at a time, so that the list moves
// blocks, however many entries go.
class GradeMemoryModel : public QAbstractListModel {
public:
    static constexpr int firstEntryRow = 2;

    GradeMemoryModel(grading::NotenSpeicher& memory, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Takes the selected entries out of the memory.
    grading::NotenSpeicher::Removed remove(const QItemSelection& selection);
    // Puts back what `remove` took; gives the rows it stands in again, a range a run.
    QItemSelection restore(const grading::NotenSpeicher::Removed& removed);

private:
    grading::NotenSpeicher& m_memory;
};
