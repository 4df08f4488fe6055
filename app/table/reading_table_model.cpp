#include "reading_table_model.h"

#include <iterator>

#include "quenta/numtext/numtext.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <numeric>

namespace table {

namespace {

constexpr int kEmptyRows = 1;
const std::array<const char*, ReadingTableModel::ColumnCount> kHeaders = {
    "Index", "Time", "Voltage", "Measurement", "Units", "At Limit"};

QString general(float value) {
    return QString::fromStdString(numtext::formatGeneralSingle(value));
}

} // namespace

void ReadingTableModel::appendRows(std::vector<TableRow> rows) {
    if (rows.empty())
        return;
    const int position = rowCount();
    beginInsertRows({}, position, position + static_cast<int>(rows.size()) - 1);
    std::move(rows.begin(), rows.end(), std::back_inserter(rows_));
    endInsertRows();
}

void ReadingTableModel::removeAll() {
    if (rows_.empty())
        return;
    beginRemoveRows({}, kEmptyRows, rowCount() - 1);
    rows_.clear();
    endRemoveRows();
}

QString ReadingTableModel::tabSeparated(std::vector<int> modelRows) const {
    std::erase_if(modelRows, [this](int row) { return row < kEmptyRows || row >= rowCount(); });
    std::sort(modelRows.begin(), modelRows.end());
    modelRows.erase(std::unique(modelRows.begin(), modelRows.end()), modelRows.end());
    if (modelRows.empty()) {
        modelRows.resize(rows_.size());
        std::iota(modelRows.begin(), modelRows.end(), kEmptyRows);
    }
    QStringList lines;
    lines.append(QStringList(kHeaders.begin(), kHeaders.end()).join('\t'));
    for (const int row : modelRows) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells.append(cellText(rows_[static_cast<std::size_t>(row - kEmptyRows)], column));
        lines.append(cells.join('\t'));
    }
    return lines.join('\n') + '\n';
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
