// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/GradeRows.h"

namespace keys {

namespace {

template <typename Row> auto& cell(Row& row, int column) {
    return column == GradeRows::Grade   ? row.grade
           : column == GradeRows::Bound ? row.bound
                                        : row.value;
}

} // namespace

void GradeRows::show(std::vector<KeyFormRow> rows, std::optional<std::size_t> firstWeak) {
    beginResetModel();
    m_rows = std::move(rows);
    m_firstWeak = firstWeak && *firstWeak < m_rows.size() ? firstWeak : std::nullopt;
    endResetModel();
}

QString GradeRows::gradeName(std::size_t row) const {
    const QString& grade = m_rows[row].grade;
    return grade.trimmed().isEmpty() ? QStringLiteral("Zeile %1").arg(row + 1) : grade;
}

std::vector<std::size_t> GradeRows::gradedRows() const {
    std::vector<std::size_t> graded;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (!isBlank(m_rows[row])) {
            graded.push_back(row);
        }
    }
    return graded;
}

void GradeRows::setFirstWeak(std::optional<std::size_t> row) {
    m_firstWeak = row && *row < m_rows.size() ? row : std::nullopt;
}

void GradeRows::setScale(grading::Scale scale) {
    if (scale != m_scale) {
        m_scale = scale;
        emit headerDataChanged(Qt::Horizontal, Bound, Bound);
    }
}

int GradeRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int GradeRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant GradeRows::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return cell(m_rows[static_cast<std::size_t>(index.row())], index.column());
    }
    if (role == Qt::TextAlignmentRole && index.column() != Grade) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool GradeRows::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return false;
    }
    const auto row = static_cast<std::size_t>(index.row());
    QString& text = cell(m_rows[row], index.column());
    if (text == value.toString()) {
        return true;
    }
    text = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void GradeRows::setColumn(Column column, const std::vector<QString>& texts) {
    for (std::size_t row = 0; row < m_rows.size() && row < texts.size(); ++row) {
        cell(m_rows[row], column) = texts[row];
    }
    if (!m_rows.empty()) {
        emit dataChanged(index(0, column), index(rowCount() - 1, column),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

Qt::ItemFlags GradeRows::flags(const QModelIndex& index) const {
    return index.isValid() ? QAbstractTableModel::flags(index) | Qt::ItemIsEditable
                           : Qt::NoItemFlags;
}

QVariant GradeRows::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= Columns) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const QString headings[] = {QStringLiteral("Note"), grading::boundHeading(m_scale),
                                QStringLiteral("Wert")};
    return headings[section];
}

bool GradeRows::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1) {
        return false;
    }
    beginInsertRows({}, row, row + count - 1);
    m_rows.insert(m_rows.begin() + row, static_cast<std::size_t>(count), KeyFormRow{});
    if (m_firstWeak) {
        m_firstWeak = rowAfterInsert(*m_firstWeak, static_cast<std::size_t>(row),
                                     static_cast<std::size_t>(count));
    }
    endInsertRows();
    return true;
}

bool GradeRows::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    const auto first = static_cast<std::size_t>(row);
    if (m_firstWeak) {
        // The weak grade removed, the grade after it is the first weak one, where there is one.
        m_firstWeak =
            rowAfterRemoval(*m_firstWeak, first, static_cast<std::size_t>(count)).value_or(first);
        if (*m_firstWeak >= m_rows.size()) {
            m_firstWeak.reset();
        }
    }
    endRemoveRows();
    return true;
}

std::size_t rowAfterInsert(std::size_t row, std::size_t first, std::size_t count) {
    return row >= first ? row + count : row;
}

std::optional<std::size_t> rowAfterRemoval(std::size_t row, std::size_t first, std::size_t count) {
    if (row < first) {
        return row;
    }
    return row >= first + count ? std::optional(row - count) : std::nullopt;
}

} // namespace keys
