#pragma once

#include "reading_table_model.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

class QTableView;

namespace table {

// The measurement table: the view shows the readings' model with the column headers as its
// header row. Following the newest row is done once per event-loop turn, however many rows
// arrived, because scrolling costs far more than adding a row. Ctrl+C (the platform's copy keys)
// copies the selected rows, or every row when none is selected, for a spreadsheet.
class MeasurementTable final : public QObject {
    Q_OBJECT

public:
    // Takes the view over and becomes its child.
    explicit MeasurementTable(QTableView* view);

    // Six columns at their widths (1000 twips each, the measurement 2000), or wider where a
    // heading needs more.
    void setupColumns();

    // The table reset at a test start: only the empty row stays below the headers. The columns
    // keep their widths.
    void reset() { model_->removeAll(); }

    // Adds the row, widens any column too narrow for its texts, and asks for the table to
    // follow it.
    void appendRow(TableRow row);

    // Selects the whole row of the reading numbered p (from 1) and scrolls it to the top, when
    // the table has that reading; otherwise nothing happens.
    void selectReading(std::int32_t p);

    const ReadingTableModel& model() const { return *model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followNewestRow();
    void widenColumnsFor(int row);
    // The width a column needs for the text; 0 for a text no different from the last.
    int textWidth(int column, const QString& text);
    // The header and the readings of the selected rows (all of them when no reading is
    // selected) on the clipboard as tab-separated text.
    void copyRows() const;

    QTableView* view_;
    ReadingTableModel* model_;
    bool followPending_ = false;
    int numberCharWidth_ = 0;
    int cellMargins_ = 0;
    std::array<QString, ReadingTableModel::ColumnCount> lastText_;
};

} // namespace table
