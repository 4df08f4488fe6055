#include "app/left_column.h"

#include "app/chart/live_chart.h"
#include "app/graph_settings_frame.h"
#include "app/option_group.h"
#include "app/status_row.h"
#include "settings/control_registry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace app {

LeftColumn::LeftColumn(const FieldDescriptions& fields, settings::ControlRegistry& registry,
                       QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createTopRow(registry));

    chartArea_ = new QStackedWidget(this);
    graph1_ =
        registry.add(new chart::LiveChart(chartArea_), "graph1", settings::ControlKind::Other);
    frameGraphSettings_ = new GraphSettingsFrame(fields, registry, chartArea_);
    chartArea_->addWidget(graph1_);
    chartArea_->addWidget(frameGraphSettings_);
    chartArea_->setMinimumHeight(fontMetrics().height() * 18);
    layout->addWidget(chartArea_, 3);

    statusRow_ = new StatusRow(registry, this);
    layout->addWidget(statusRow_);

    data_ = registry.add(new QTableView(this), "Data", settings::ControlKind::Other);
    data_->setMinimumHeight(fontMetrics().height() * 8);
    layout->addWidget(data_, 2);
    layout->addWidget(createDataFileRow(registry));
}

void LeftColumn::showGraphSettings(bool show) {
    chartArea_->setCurrentWidget(show ? static_cast<QWidget*>(frameGraphSettings_) : graph1_);
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
    cmdEditGraph_ = registry.add(new QPushButton("Edit Graph Settings", graphType), "cmdEditGraph",
                                 settings::ControlKind::Other);
    typeLayout->addWidget(cmdEditGraph_);
    cmdPrint_ = registry.add(new QPushButton(graphType), "cmdPrint", settings::ControlKind::Other);
    cmdPrint_->setIcon(QIcon::fromTheme("document-print"));
    if (cmdPrint_->icon().isNull())
        cmdPrint_->setText("Print");
    cmdPrint_->setToolTip("Print a picture of the window");
    typeLayout->addWidget(cmdPrint_);
    layout->addWidget(graphType, 1);
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
    layout->addWidget(chkSaveToFile_);
    layout->addWidget(txtPathToData_, 1);
    layout->addWidget(cmdBrowse_);
    return row;
}

} // namespace app
