#include "graph_panel.h"

#include "app/datafile/analysis_readings.h"
#include "graph_texts.h"
#include "hp4140/test_config.h"
#include "live_chart.h"
#include "quenta/numtext/numtext.h"
#include "settings/control_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

#include <algorithm>
#include <stdexcept>

namespace chart {

namespace {

constexpr const char* kLimitFields[] = {"txtGraphTime(0)", "txtGraphTime(1)", "txtGraphVoltage(0)",
                                        "txtGraphVoltage(1)"};

chart::ScaleListSelection selectionOf(const QComboBox* list) {
    return {list->currentText().toStdString(), list->currentIndex()};
}

} // namespace

GraphPanel::GraphPanel(const settings::ControlRegistry& controls, chart::LiveChart& chart,
                       const hp4140::TestConfig& test, std::function<void(bool)> showSettings,
                       QObject* parent)
    : QObject(parent), controls_(controls), chart_(chart), test_(test),
      showSettings_(std::move(showSettings)) {
    connect(control<QAbstractButton>("optionGraphScale(1)"), &QAbstractButton::toggled, this,
            [this](bool manual) { EnableDisableGraphScaling(manual); });
    connect(control<QPushButton>("cmdEditGraph"), &QPushButton::clicked, this,
            [this] { cmdEditGraph_Click(); });
    for (std::size_t i = 0; i < limitFields_.size(); ++i)
        limitFields_[i] = control<QWidget>(kLimitFields[i]);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget*) { onFocusChanged(old); });
    // A view is taken as the horizontal axis is: at once, with the settings.
    connect(control<QComboBox>("cmbChartView"), &QComboBox::activated, this,
            [this] { Graph_LoadSettings(); });
}

analysis::Curve GraphPanel::curve() const {
    return datafile::curveOfFunction(test_.iFunction);
}

void GraphPanel::offerViews() const {
    auto* views = control<QComboBox>("cmbChartView");
    const std::vector<analysis::ViewInfo> offered = analysis::viewsOf(curve());
    if (views->count() == static_cast<int>(offered.size()) &&
        views->itemData(0).toInt() == static_cast<int>(offered.front().view))
        return;
    const QVariant chosen = views->currentData();
    views->clear();
    for (const analysis::ViewInfo& info : offered)
        views->addItem(
            QString::fromUtf8(info.label.data(), static_cast<qsizetype>(info.label.size())),
            static_cast<int>(info.view));
    views->setCurrentIndex(std::max(views->findData(chosen), 0));
}

analysis::View GraphPanel::chosenView() const {
    offerViews();
    return static_cast<analysis::View>(control<QComboBox>("cmbChartView")->currentData().toInt());
}

void GraphPanel::onFocusChanged(QWidget* old) const {
    if (!old)
        return;
    for (const QPointer<QWidget>& field : limitFields_)
        if (field && field->isAncestorOf(old))
            UpdateGraphRoundingLabels();
}

template <typename Widget> Widget* GraphPanel::control(const char* key) const {
    auto* widget = controls_.get<Widget>(QString::fromLatin1(key));
    if (!widget)
        throw std::logic_error(std::string("the window has no control ") + key);
    return widget;
}

// The numeric fields are read through their Text property, as the window reads every field.
float GraphPanel::number(const char* key) const {
    return static_cast<float>(
        numtext::readNumber(control<QWidget>(key)->property("Text").toString().toStdString()));
}

chart::GraphSettings GraphPanel::graphSettings() const {
    chart::GraphSettings s;
    s.xAxisIsTime = control<QAbstractButton>("optionXAxis(0)")->isChecked();
    s.capacitance = capacitanceTest();
    s.logY = control<QCheckBox>("chkYLog")->isChecked();
    s.manualScaling = control<QAbstractButton>("optionGraphScale(1)")->isChecked();
    s.timeMin = number("txtGraphTime(0)");
    s.timeMax = number("txtGraphTime(1)");
    s.voltageMin = number("txtGraphVoltage(0)");
    s.voltageMax = number("txtGraphVoltage(1)");
    const char* list0 = s.capacitance ? "cmbGraphCapacitance(0)" : "cmbGraphCurrent(0)";
    const char* list1 = s.capacitance ? "cmbGraphCapacitance(1)" : "cmbGraphCurrent(1)";
    s.yList0 = selectionOf(control<QComboBox>(list0));
    s.yList1 = selectionOf(control<QComboBox>(list1));
    s.showPolarity = control<QCheckBox>("chkDisplayPolarity")->isChecked();
    s.showSymbols = control<QCheckBox>("chkDisplaySymbols")->isChecked();
    s.view = chosenView();
    return s;
}

void GraphPanel::UpdateGraphRoundingLabels() const {
    control<QLabel>("lblTimeRounding")
        ->setText(QString::fromStdString(
            chart::timeRoundingNote(number("txtGraphTime(0)"), number("txtGraphTime(1)"))));
    control<QLabel>("lblVoltageRounding")
        ->setText(QString::fromStdString(chart::voltageRoundingNote(number("txtGraphVoltage(0)"),
                                                                    number("txtGraphVoltage(1)"))));
}

void GraphPanel::settingsLoaded() const {
    UpdateGraphRoundingLabels();
    Graph_LoadSettings();
}

void GraphPanel::EnableDisableGraphScaling(bool bManual) const {
    for (const char* key : {"cmbGraphCurrent(0)", "cmbGraphCurrent(1)", "cmbGraphCapacitance(0)",
                            "cmbGraphCapacitance(1)"})
        control<QWidget>(key)->setEnabled(bManual);
    for (const char* key : kLimitFields)
        control<QWidget>(key)->setEnabled(bManual);
}

bool GraphPanel::settingsShown() const {
    return !control<QWidget>("frameGraphSettings")->isHidden();
}

void GraphPanel::Graph_Init(std::int32_t iExpectedPoints) const {
    chart::initChart(chart_, iExpectedPoints, capacitanceTest());
    chart_.setView(chosenView());
}

void GraphPanel::cmdEditGraph_Click() {
    auto* button = control<QPushButton>("cmdEditGraph");
    if (settingsShown()) {
        showSettings_(false);
        button->setText("Edit Graph Settings");
        Graph_LoadSettings();
    } else {
        showSettings_(true);
        button->setText("View Graph");
    }
}

void GraphPanel::closeGraphSettings() {
    if (settingsShown())
        cmdEditGraph_Click();
}

void GraphPanel::startUp(std::int32_t iExpectedPoints) {
    Graph_Init(iExpectedPoints);
    Graph_LoadSettings();
    chart::placeStartupPoints(chart_);
    UpdateGraphRoundingLabels();
    EnableDisableGraphScaling(!control<QAbstractButton>("optionGraphScale(0)")->isChecked());
}

} // namespace chart
