#pragma once

#include "reading_table_model.h"

#include <QObject>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

class QTableView;

namespace table {

// The measurement table: the view shows the readings' model with the column headers as its
// header row. Following the newest row is done once per event-loop turn, however many rows
// arrived, because scrolling costs far more than adding a row; while a test runs in real time,
// rows are also added only once a frame, all that arrived together, because the view takes far
// longer to take a row in than the row takes to make. Ctrl+C (the platform's copy keys) copies
// the selected rows, or every row when none is selected, for a spreadsheet.
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
    void reset();

    // Adds the row, widens any column too narrow for its texts, and asks for the table to
    // follow it.
    void appendRow(TableRow row);
    // While a test runs in real time, rows go in at most once a frame (kFrame); the rows still
    // waiting go in when the limit ends.
    void setFrameLimited(bool limited);

    // Selects the whole row of the reading numbered p (from 1) and scrolls it to the top, when
    // the table has that reading; otherwise nothing happens.
    void selectReading(std::int32_t p);

    const ReadingTableModel& model() const { return *model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addRows(std::vector<TableRow> rows);
    void addPendingRows();
    void followNewestRow();
    void widenColumnsFor(int row);
    // The width a column needs for the text; 0 for a text no different from the last.
    int textWidth(int column, const QString& text);
    // The header and the readings of the selected rows (all of them when no reading is
    // selected) on the clipboard as tab-separated text.
    void copyRows();

    QTableView* view_;
    ReadingTableModel* model_;
    bool followPending_ = false;
    std::vector<TableRow> pending_;
    bool addQueued_ = false;
    bool frameLimited_ = false;
    static constexpr std::chrono::milliseconds kFrame{100};
    int numberCharWidth_ = 0;
    int cellMargins_ = 0;
    std::array<QString, ReadingTableModel::ColumnCount> lastText_;
};

} // namespace table
