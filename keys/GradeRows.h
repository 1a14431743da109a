// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keys/KeyForm.h"

#include <QAbstractTableModel>
#include <optional>
#include <vector>

namespace keys {

// The grades of the key being edited, one row a grade, best first, its texts as typed: the table
// the editor shows and edits. The first weak grade is a row of it and stays with its grade when
// rows are added or removed above it; where its row is removed, the grade after it is the first
// weak one, as it was weak already.
class GradeRows : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Grade, Bound, Value, Columns };

    explicit GradeRows(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void show(std::vector<KeyFormRow> rows, std::optional<std::size_t> firstWeak);
    const std::vector<KeyFormRow>& rows() const { return m_rows; }
    std::optional<std::size_t> firstWeak() const { return m_firstWeak; }
    // A row's grade as choices and messages name it: its text, or "Zeile 3" while it has none.
    QString gradeName(std::size_t row) const;
    // The rows the key counts, those not left wholly blank, best first.
    std::vector<std::size_t> gradedRows() const;
    void setFirstWeak(std::optional<std::size_t> row);
    // What the bounds count, which their column's heading says.
    grading::Scale scale() const { return m_scale; }
    void setScale(grading::Scale scale);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Every row's text in one column at once, as one change.
    void setColumn(Column column, const std::vector<QString>& texts);
    // Blank rows, for the teacher to fill.
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    std::vector<KeyFormRow> m_rows;
    std::optional<std::size_t> m_firstWeak;
    grading::Scale m_scale = grading::Scale::Points;
};

// Where a row of the grades stands once `count` rows were inserted at `first`: a row picked by the
// teacher stays with its grade.
std::size_t rowAfterInsert(std::size_t row, std::size_t first, std::size_t count);
// Where a row stands once the `count` rows at `first` were removed; none where it was one of them.
std::optional<std::size_t> rowAfterRemoval(std::size_t row, std::size_t first, std::size_t count);

} // namespace keys
