// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GradeMemoryModel.h"

#include <algorithm>

GradeMemoryModel::GradeMemoryModel(grading::NotenSpeicher& memory, QObject* parent)
    : QAbstractListModel(parent), m_memory(memory) {}

int GradeMemoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : firstEntryRow + static_cast<int>(m_memory.size());
}

QVariant GradeMemoryModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    switch (index.row()) {
    case 0:
        return grading::NotenSpeicher::heading();
    case 1:
        return QString();
    default:
        return m_memory.at(static_cast<std::size_t>(index.row() - firstEntryRow)).line;
    }
}

Qt::ItemFlags GradeMemoryModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return Qt::NoItemFlags;
    }
    return index.row() < firstEntryRow ? Qt::ItemIsEnabled
                                       : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

grading::NotenSpeicher::Removed GradeMemoryModel::remove(const QItemSelection& selection) {
    std::vector<std::size_t> places;
    for (const QItemSelectionRange& range : selection) {
        for (int row = std::max(range.top(), firstEntryRow); row <= range.bottom(); ++row) {
            places.push_back(static_cast<std::size_t>(row - firstEntryRow));
        }
    }
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());

    // From the last run to the first, so that the runs still to go keep their rows.
    const auto placeRuns =
        grading::runsOfNeighbours(places, [](std::size_t place) { return place; });
    std::vector<grading::NotenSpeicher::Removed> taken;
    for (auto run = placeRuns.rbegin(); run != placeRuns.rend(); ++run) {
        const int first = firstEntryRow + static_cast<int>(places[run->first]);
        beginRemoveRows({}, first, first + static_cast<int>(run->second - run->first) - 1);
        taken.push_back(
            m_memory.remove({places.begin() + static_cast<std::ptrdiff_t>(run->first),
                             places.begin() + static_cast<std::ptrdiff_t>(run->second)}));
        endRemoveRows();
    }
    grading::NotenSpeicher::Removed removed;
    removed.reserve(places.size());
    for (auto run = taken.rbegin(); run != taken.rend(); ++run) {
        std::move(run->begin(), run->end(), std::back_inserter(removed));
    }
    return removed;
}

QItemSelection GradeMemoryModel::restore(const grading::NotenSpeicher::Removed& removed) {
    QItemSelection restored;
    for (const auto& [first, end] :
         grading::runsOfNeighbours(removed, [](const grading::NotenSpeicher::RemovedEntry& taken) {
             return taken.place;
         })) {
        const int firstRow = firstEntryRow + static_cast<int>(removed[first].place);
        const int lastRow = firstRow + static_cast<int>(end - first) - 1;
        beginInsertRows({}, firstRow, lastRow);
        m_memory.restore(std::span(removed).subspan(first, end - first));
        endInsertRows();
        restored.select(index(firstRow), index(lastRow));
    }
    return restored;
}
