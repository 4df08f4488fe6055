#include "run_browser.h"

#include "app/chart/graph_texts.h"
#include "app/chart/reference_series.h"
#include "app/datafile/data_file_names.h"
#include "app/series/series_run.h"
#include "app/table/readings_area.h"
#include "settings/guarded.h"

#include <QColorDialog>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace app {

namespace {

constexpr int kSwatch = 12;

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QString sampleText(const datafile::ReferenceRun& run) {
    if (run.device.empty())
        return QString::fromStdString(run.sample);
    if (run.sample.empty())
        return QString::fromStdString(run.device);
    return QString::fromStdString(run.sample + " / " + run.device);
}

QString outcomeText(const datafile::ReferenceRun& run) {
    if (!run.state.empty() && run.state != "done")
        return QString::fromStdString(run.state);
    return QString::fromStdString(run.outcome);
}

} // namespace

RunBrowser::RunBrowser(table::ReadingsArea& readings, RunBrowserActions actions, QWidget* parent)
    : QTreeWidget(parent), readings_(readings), actions_(std::move(actions)) {
    setObjectName("lstRuns");
    setColumnCount(ColumnCount);
    setHeaderLabels({"", "Run", "Sample / device", "Function", "Outcome", "Readings"});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(&readings_, &table::ReadingsArea::runsChanged, this, [this] { rebuild(); });
    connect(&readings_, &table::ReadingsArea::runRelabelled, this, [this](std::size_t i) {
        if (QTreeWidgetItem* item = topLevelItem(static_cast<int>(i))) {
            rebuilding_ = true;
            fillRow(*item, static_cast<int>(i));
            rebuilding_ = false;
        }
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!rebuilding_ && column == Shown)
            setShown(indexOfTopLevelItem(item), item->checkState(Shown) == Qt::Checked);
    });
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { contextMenu(at); });
    rebuild();
}

void RunBrowser::rebuild() {
    rebuilding_ = true;
    const auto& runs = readings_.references().runs();
    while (topLevelItemCount() > static_cast<int>(runs.size()))
        delete takeTopLevelItem(topLevelItemCount() - 1);
    while (topLevelItemCount() < static_cast<int>(runs.size()))
        addTopLevelItem(new QTreeWidgetItem);
    for (int row = 0; row < topLevelItemCount(); ++row)
        fillRow(*topLevelItem(row), row);
    rebuilding_ = false;
}

void RunBrowser::fillRow(QTreeWidgetItem& item, int row) {
    const datafile::ReferenceRun& run =
        readings_.references().runs()[static_cast<std::size_t>(row)];
    const std::string why = whyNotShown(row);
    item.setIcon(Shown, swatch(chart::referenceColour(run.colour, run.chosenColour)));
    item.setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled |
                  (why.empty() ? Qt::ItemIsUserCheckable : Qt::NoItemFlags));
    item.setCheckState(Shown, run.shown && why.empty() ? Qt::Checked : Qt::Unchecked);
    item.setText(Name, QString::fromStdString(run.name));
    item.setText(Sample, sampleText(run));
    item.setText(Function, QString::fromStdString(run.function));
    item.setText(Outcome, outcomeText(run));
    item.setText(Readings, run.readings.empty() ? QString() : QString::number(run.readings.size()));
    QString tip = QString::fromStdString(run.dataFile.string());
    if (!why.empty())
        tip += "\n" + QString::fromStdString(why);
    tip += setUpOf(row);
    for (int column = 0; column < ColumnCount; ++column)
        item.setToolTip(column, tip.trimmed());
}

// A record does not change once written: each is read once, not at every redraw of the list.
QString RunBrowser::setUpOf(int row) {
    const std::filesystem::path record = recordOf(row);
    if (!actions_.setUp || record.empty())
        return {};
    auto known = setUps_.find(record);
    if (known == setUps_.end())
        known =
            setUps_.emplace(record, "\n\n" + QString::fromStdString(actions_.setUp(record))).first;
    return known->second;
}

std::string RunBrowser::whyNotShown(int row) const {
    const datafile::ReferenceRun& run =
        readings_.references().runs().at(static_cast<std::size_t>(row));
    if (run.readings.empty())
        return run.state == series::stateWord(series::StepState::Queued) ||
                       run.state.starts_with(series::stateWord(series::StepState::Running))
                   ? "It has no readings yet."
                   : "It has no readings.";
    const std::string chart = readings_.chartUnits();
    if (run.units == chart)
        return {};
    return chart::otherQuantityText(run.name, run.units, chart);
}

void RunBrowser::setShown(int row, bool shown) {
    readings_.changeRun(static_cast<std::size_t>(row),
                        [shown](datafile::ReferenceRun& run) { run.shown = shown; });
}

void RunBrowser::setColour(int row, std::uint32_t rgb) {
    readings_.changeRun(static_cast<std::size_t>(row),
                        [rgb](datafile::ReferenceRun& run) { run.chosenColour = rgb; });
}

void RunBrowser::removeRun(int row) {
    readings_.removeRun(static_cast<std::size_t>(row));
}

std::filesystem::path RunBrowser::recordOf(int row) const {
    const datafile::ReferenceRun& run =
        readings_.references().runs().at(static_cast<std::size_t>(row));
    if (run.dataFile.empty())
        return {};
    const std::filesystem::path record = datafile::runRecordPathOf(run.dataFile);
    std::error_code error;
    return std::filesystem::is_regular_file(record, error) ? record : std::filesystem::path();
}

void RunBrowser::useSettings(int row) const {
    if (const std::filesystem::path record = recordOf(row); !record.empty() && actions_.useSettings)
        actions_.useSettings(record);
}

void RunBrowser::showRecord(int row) const {
    if (const std::filesystem::path record = recordOf(row); !record.empty() && actions_.showRecord)
        actions_.showRecord(record);
}

void RunBrowser::openFolder(int row) const {
    const datafile::ReferenceRun& run =
        readings_.references().runs().at(static_cast<std::size_t>(row));
    if (!run.dataFile.empty() && actions_.openFolder)
        actions_.openFolder(run.dataFile.parent_path());
}

// The menu and the colour dialog wait for the user while a test goes on: a run that ends in
// the meantime moves the rows, so the run is found again by its key afterwards.
std::optional<int> RunBrowser::rowOf(std::uint64_t key) const {
    const auto row = readings_.references().find(key);
    return row ? std::optional<int>(static_cast<int>(*row)) : std::nullopt;
}

void RunBrowser::chooseColour(int row) {
    const datafile::ReferenceRun& run =
        readings_.references().runs().at(static_cast<std::size_t>(row));
    const std::uint64_t key = run.key;
    const QColor chosen =
        QColorDialog::getColor(chart::referenceColour(run.colour, run.chosenColour), this,
                               "Colour of " + QString::fromStdString(run.name));
    if (const auto now = rowOf(key); now && chosen.isValid())
        setColour(*now, chosen.rgb());
}

void RunBrowser::contextMenu(const QPoint& at) {
    QTreeWidgetItem* item = itemAt(at);
    if (!item)
        return;
    const int row = indexOfTopLevelItem(item);
    const datafile::ReferenceRun& run =
        readings_.references().runs().at(static_cast<std::size_t>(row));
    const std::uint64_t key = run.key;
    const bool shown = item->checkState(Shown) == Qt::Checked;
    const bool hasRecord = !recordOf(row).empty();
    QMenu menu(this);
    QAction* show = menu.addAction(shown ? "Hide on the chart" : "Show on the chart");
    show->setEnabled(whyNotShown(row).empty());
    QAction* colour = menu.addAction("Change colour…");
    QAction* remove = menu.addAction("Remove");
    menu.addSeparator();
    QAction* use = menu.addAction("Use these settings");
    QAction* record = menu.addAction("Show run record");
    QAction* folder = menu.addAction("Open its folder");
    use->setEnabled(hasRecord);
    record->setEnabled(hasRecord);
    folder->setEnabled(!run.dataFile.empty());
    QAction* chosen = menu.exec(viewport()->mapToGlobal(at));
    const std::optional<int> now = rowOf(key);
    if (!chosen || !now)
        return;
    settings::runGuarded([&] {
        if (chosen == show)
            setShown(*now, !shown);
        else if (chosen == colour)
            chooseColour(*now);
        else if (chosen == remove)
            removeRun(*now);
        else if (chosen == use)
            useSettings(*now);
        else if (chosen == record)
            showRecord(*now);
        else if (chosen == folder)
            openFolder(*now);
    });
}

} // namespace app
