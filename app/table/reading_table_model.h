#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <vector>

namespace table {

// One row of the measurement table as it was added.
struct TableRow {
    std::int32_t index = 0; // the window's reading count when the row was added
    float time = 0.0f;
    float voltage = 0.0f;
    float measurement = 0.0f;
    QString units; // the units label's caption then
    bool atLimit = false;
};

// The readings as the measurement table shows them. Model row 0 is the one empty data row the
// table keeps below its header, so the reading numbered p is model row p. Texts are made when a
// cell is shown; appending a row touches nothing else.
class ReadingTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Index, Time, Voltage, Measurement, Units, AtLimit, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Adds the rows after the last, in one insertion.
    void appendRows(std::vector<TableRow> rows);
    // Back to the empty row alone.
    void removeAll();

    // The header line and the rows of the readings among the model rows, in reading order (of
    // every reading when there is none among them), tab separated, each line ended by a line
    // feed: what a spreadsheet takes from the clipboard.
    QString tabSeparated(std::vector<int> modelRows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(const TableRow& row, int column) const;

    std::vector<TableRow> rows_;
};

} // namespace table
