#include "left_column.h"

#include "app/chart/live_chart.h"
#include "app/panel/option_group.h"
#include "graph_settings_frame.h"
#include "settings/control_registry.h"
#include "status_row.h"
#include "vertical_scroll_area.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace app {

namespace {

// The least heights, in lines of text, that keep the chart and the table of use on a low screen.
constexpr int kLeastChartLines = 12;
constexpr int kLeastTableLines = 6;

} // namespace

LeftColumn::LeftColumn(const FieldDescriptions& fields, settings::ControlRegistry& registry,
                       QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createTopRow(registry));
    layout->addWidget(createViewRow(registry));

    chartArea_ = new QStackedWidget(this);
    graph1_ =
        registry.add(new chart::LiveChart(chartArea_), "graph1", settings::ControlKind::Other);
    frameGraphSettings_ = new GraphSettingsFrame(fields, registry, chartArea_);
    // The settings view scrolls within the chart's place rather than set its least size.
    graphSettingsPage_ = new QScrollArea(chartArea_);
    graphSettingsPage_->setFrameShape(QFrame::NoFrame);
    graphSettingsPage_->setWidgetResizable(true);
    graphSettingsPage_->setWidget(frameGraphSettings_);
    chartArea_->addWidget(graph1_);
    chartArea_->addWidget(graphSettingsPage_);
    chartArea_->setMinimumHeight(fontMetrics().height() * kLeastChartLines);
    showGraphSettings(false);
    chartRow_ = new QHBoxLayout;
    chartRow_->addWidget(chartArea_, 1);
    layout->addLayout(chartRow_, 3);

    statusRow_ = new StatusRow(registry, this);
    layout->addWidget(statusRow_);

    tableRow_ = new QSplitter(Qt::Horizontal, this);
    tableRow_->setChildrenCollapsible(false);
    data_ = registry.add(new QTableView(tableRow_), "Data", settings::ControlKind::Other);
    data_->setMinimumHeight(fontMetrics().height() * kLeastTableLines);
    tableRow_->addWidget(data_);
    layout->addWidget(tableRow_, 2);
    dataFileRow_ = createDataFileRow(registry);
    layout->addWidget(dataFileRow_);
}

// The settings view is hidden with its page, as it would be as a page of its own: whether it
// is hidden tells whether it is open.
void LeftColumn::showGraphSettings(bool show) {
    frameGraphSettings_->setVisible(show);
    chartArea_->setCurrentWidget(show ? static_cast<QWidget*>(graphSettingsPage_) : graph1_);
}

// The panel scrolls within the chart's height rather than set the window's least height.
void LeftColumn::placeBesideChart(QWidget* panel) {
    auto* area = new VerticalScrollArea(panel, this);
    chartRow_->addWidget(area);
    area->setVisible(cmdAnalyse_->isChecked());
    connect(cmdAnalyse_, &QPushButton::toggled, area, &QWidget::setVisible);
}

QWidget* LeftColumn::createTopRow(settings::ControlRegistry& registry) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* appInfo = registry.add(new QGroupBox(row), "frameAppInfo", settings::ControlKind::Other);
    lblAppInfo_ = registry.add(new QLabel(appInfo), "lblAppInfo", settings::ControlKind::Label);
    QFont titleFont = lblAppInfo_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblAppInfo_->setFont(titleFont);
    (new QVBoxLayout(appInfo))->addWidget(lblAppInfo_);
    layout->addWidget(appInfo);

    auto* graphType = registry.add(new QGroupBox("Graph Type", row), "frameGraphType",
                                   settings::ControlKind::Other);
    auto* typeLayout = new QHBoxLayout(graphType);
    optionXAxis_ = new OptionGroup("optionXAxis", {"Time", "Voltage"}, graphType);
    for (int i = 0; i < 2; ++i)
        typeLayout->addWidget(registry.add(optionXAxis_->button(i), "optionXAxis",
                                           settings::ControlKind::OptionButton, i));
    optionXAxis_->select(0);
    typeLayout->addStretch(1);
    chkKeepPreviousRun_ = registry.add(new QCheckBox("Keep previous run", graphType),
                                       "chkKeepPreviousRun", settings::ControlKind::Other);
    chkKeepPreviousRun_->setToolTip(
        "When a test starts, the last run stays on the chart as a reference to compare with");
    typeLayout->addWidget(chkKeepPreviousRun_);
    cmdEditGraph_ = registry.add(new QPushButton("Edit Graph Settings", graphType), "cmdEditGraph",
                                 settings::ControlKind::Other);
    typeLayout->addWidget(cmdEditGraph_);
    cmdPrint_ = registry.add(new QPushButton(graphType), "cmdPrint", settings::ControlKind::Other);
    cmdPrint_->setIcon(QIcon::fromTheme("document-print"));
    if (cmdPrint_->icon().isNull())
        cmdPrint_->setText("Print");
    typeLayout->addWidget(cmdPrint_);
    layout->addWidget(graphType, 1);
    return row;
}

// Just above the chart, so the top row keeps the window's least width.
QWidget* LeftColumn::createViewRow(settings::ControlRegistry& registry) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* viewLabel = new QLabel("&View:", row);
    cmbChartView_ = registry.add(new QComboBox(row), "cmbChartView", settings::ControlKind::Other);
    cmbChartView_->setToolTip("What the chart shows of the readings; views other than the first "
                              "are drawn against their own axis");
    viewLabel->setBuddy(cmbChartView_);
    cmdAnalyse_ =
        registry.add(new QPushButton("Analyse", row), "cmdAnalyse", settings::ControlKind::Other);
    cmdAnalyse_->setCheckable(true);
    cmdAnalyse_->setToolTip("Device parameters from the readings: a method, its window and its "
                            "fit, beside the chart");
    layout->addWidget(viewLabel);
    layout->addWidget(cmbChartView_);
    layout->addStretch(1);
    layout->addWidget(cmdAnalyse_);
    return row;
}

QWidget* LeftColumn::createDataFileRow(settings::ControlRegistry& registry) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    chkSaveToFile_ = registry.add(new QCheckBox("Save to File:", row), "chkSaveToFile",
                                  settings::ControlKind::CheckBox);
    txtPathToData_ =
        registry.add(new QLineEdit(row), "txtPathToData", settings::ControlKind::TextBox);
    cmdBrowse_ =
        registry.add(new QPushButton("browse", row), "cmdBrowse", settings::ControlKind::Other);
    lblDataFileName_ = new QLabel(row);
    lblDataFileName_->setObjectName("lblDataFileName");
    lblDataFileName_->setForegroundRole(QPalette::PlaceholderText);
    lblDataFileName_->hide();
    layout->addWidget(chkSaveToFile_);
    layout->addWidget(txtPathToData_, 1);
    layout->addWidget(lblDataFileName_);
    layout->addWidget(cmdBrowse_);
    return row;
}

void LeftColumn::placeBesideTable(QWidget* widget) {
    tableRow_->addWidget(widget);
    tableRow_->setStretchFactor(0, 1);
    tableRow_->setStretchFactor(1, 1);
}

void LeftColumn::placeAboveDataFileRow(QWidget* row) {
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->indexOf(dataFileRow_), row);
}

} // namespace app
