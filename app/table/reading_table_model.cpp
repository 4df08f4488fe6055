#include "reading_table_model.h"

#include "quenta/numtext/numtext.h"

#include <array>

namespace table {

namespace {

constexpr int kEmptyRows = 1;
const std::array<const char*, ReadingTableModel::ColumnCount> kHeaders = {
    "Index", "Time", "Voltage", "Measurement", "Units", "At Limit"};

QString general(float value) {
    return QString::fromStdString(numtext::formatGeneralSingle(value));
}

} // namespace

void ReadingTableModel::appendRow(TableRow row) {
    const int position = rowCount();
    beginInsertRows({}, position, position);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void ReadingTableModel::removeAll() {
    if (rows_.empty())
        return;
    beginRemoveRows({}, kEmptyRows, rowCount() - 1);
    rows_.clear();
    endRemoveRows();
}

int ReadingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kEmptyRows + static_cast<int>(rows_.size());
}

int ReadingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReadingTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() < kEmptyRows)
        return {};
    return cellText(rows_.at(static_cast<std::size_t>(index.row() - kEmptyRows)), index.column());
}

QVariant ReadingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString(kHeaders[static_cast<std::size_t>(section)]);
}

QString ReadingTableModel::cellText(const TableRow& row, int column) const {
    switch (column) {
    case Index:
        return QString::number(row.index);
    case Time:
        return general(row.time);
    case Voltage:
        return general(row.voltage);
    case Measurement:
        return general(row.measurement);
    case Units:
        return row.units;
    case AtLimit:
        return row.atLimit ? QStringLiteral("*") : QString();
    default:
        return {};
    }
}

} // namespace table
