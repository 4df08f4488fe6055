#include "measurement_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include "settings/placement.h"

#include <algorithm>
#include <array>
#include <utility>

namespace table {

namespace {

constexpr int kRowPadding = 6;
constexpr QStringView kNumberCharacters = u"0123456789.-+E*";
constexpr std::array<int, ReadingTableModel::ColumnCount> kColumnTwips = {1000, 1000, 1000,
                                                                          2000, 1000, 1000};

} // namespace

MeasurementTable::MeasurementTable(QTableView* view)
    : QObject(view), view_(view), model_(new ReadingTableModel(this)) {
    view_->setModel(model_);
    view_->verticalHeader()->hide();
    // Rows of one height let the view place any row without measuring the others.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = view_->fontMetrics().height() + kRowPadding;
    view_->verticalHeader()->setMinimumSectionSize(rowHeight);
    view_->verticalHeader()->setDefaultSectionSize(rowHeight);
    view_->setWordWrap(false);
    const QFontMetrics metrics = view_->fontMetrics();
    for (QChar c : kNumberCharacters)
        numberCharWidth_ = std::max(numberCharWidth_, metrics.horizontalAdvance(c));
    // The view draws a cell's text inside the style's focus margin and a pixel more on either
    // side, beside a grid line.
    cellMargins_ =
        2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1) + 1;
    view_->installEventFilter(this);
}

// The view itself would copy only the current cell; the copy keys are taken before it sees them,
// and before any shortcut of the window while the table has the focus.
bool MeasurementTable::eventFilter(QObject* watched, QEvent* event) {
    const bool copyKeys =
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
    if (watched != view_ || !copyKeys)
        return QObject::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        copyRows();
    return true;
}

void MeasurementTable::copyRows() {
    addPendingRows();
    std::vector<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    QGuiApplication::clipboard()->setText(model_->tabSeparated(std::move(rows)));
}

void MeasurementTable::setupColumns() {
    const double dotsPerInch = view_->logicalDpiX();
    for (int column = 0; column < ReadingTableModel::ColumnCount; ++column)
        view_->setColumnWidth(
            column, std::max(settings::twipsToPixels(kColumnTwips[static_cast<std::size_t>(column)],
                                                     dotsPerInch),
                             view_->horizontalHeader()->sectionSizeHint(column)));
}

// Number texts are sized by their length at the widest of their characters, which needs no
// text layout: a long test adds thousands of rows, and laying out each cell's text would cost
// more than adding the row. Other texts (the units) are laid out when they change.
int MeasurementTable::textWidth(int column, const QString& text) {
    const bool number = std::all_of(text.begin(), text.end(), [](QChar c) {
        return QStringView(kNumberCharacters).contains(c);
    });
    if (number)
        return static_cast<int>(text.size()) * numberCharWidth_ + cellMargins_;
    QString& last = lastText_[static_cast<std::size_t>(column)];
    if (text == last)
        return 0;
    last = text;
    return view_->fontMetrics().horizontalAdvance(text) + cellMargins_;
}

// Columns only grow, so they do not jump about as readings arrive.
void MeasurementTable::widenColumnsFor(int row) {
    for (int column = 0; column < ReadingTableModel::ColumnCount; ++column) {
        const QModelIndex cell = model_->index(row, column);
        const int needed = textWidth(column, model_->data(cell, Qt::DisplayRole).toString());
        if (needed > view_->columnWidth(column))
            view_->setColumnWidth(column, needed);
    }
}

void MeasurementTable::reset() {
    pending_.clear();
    model_->removeAll();
}

void MeasurementTable::appendRow(TableRow row) {
    if (!frameLimited_) {
        addRows({std::move(row)});
        return;
    }
    pending_.push_back(std::move(row));
    if (addQueued_)
        return;
    addQueued_ = true;
    QTimer::singleShot(kFrame, this, &MeasurementTable::addPendingRows);
}

void MeasurementTable::setFrameLimited(bool limited) {
    frameLimited_ = limited;
    if (!limited)
        addPendingRows();
}

void MeasurementTable::addPendingRows() {
    addQueued_ = false;
    addRows(std::exchange(pending_, {}));
}

void MeasurementTable::addRows(std::vector<TableRow> rows) {
    if (rows.empty())
        return;
    const int first = model_->rowCount();
    model_->appendRows(std::move(rows));
    for (int row = first; row < model_->rowCount(); ++row)
        widenColumnsFor(row);
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
    addPendingRows();
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
