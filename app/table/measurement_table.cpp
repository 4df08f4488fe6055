#include "measurement_table.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <array>

namespace table {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr std::array<int, ReadingTableModel::ColumnCount> kColumnTwips = {1000, 1000, 1000,
                                                                          2000, 1000, 1000};

int pixels(int twips, double dotsPerInch) {
    return static_cast<int>(twips * dotsPerInch / kTwipsPerInch + 0.5);
}

} // namespace

MeasurementTable::MeasurementTable(QTableView* view)
    : QObject(view), view_(view), model_(new ReadingTableModel(this)) {
    view_->setModel(model_);
    view_->verticalHeader()->hide();
    // Rows of one height let the view place any row without measuring the others.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->setWordWrap(false);
}

void MeasurementTable::setupColumns() {
    const double dotsPerInch = view_->logicalDpiX();
    for (int column = 0; column < ReadingTableModel::ColumnCount; ++column)
        view_->setColumnWidth(column,
                              pixels(kColumnTwips[static_cast<std::size_t>(column)], dotsPerInch));
}

void MeasurementTable::appendRow(TableRow row) {
    model_->appendRow(std::move(row));
    if (followPending_)
        return;
    followPending_ = true;
    QMetaObject::invokeMethod(this, &MeasurementTable::followNewestRow, Qt::QueuedConnection);
}

void MeasurementTable::followNewestRow() {
    // A selection made since the request keeps its own scrolling.
    if (!followPending_)
        return;
    followPending_ = false;
    view_->scrollToBottom();
}

void MeasurementTable::selectReading(std::int32_t p) {
    if (p < 1 || p >= model_->rowCount())
        return;
    followPending_ = false;
    const QModelIndex first = model_->index(p, 0);
    const QModelIndex last = model_->index(p, ReadingTableModel::ColumnCount - 1);
    view_->setCurrentIndex(first);
    view_->selectionModel()->select(QItemSelection(first, last),
                                    QItemSelectionModel::ClearAndSelect);
    view_->scrollTo(first, QAbstractItemView::PositionAtTop);
}

} // namespace table
