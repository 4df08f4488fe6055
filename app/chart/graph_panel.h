#pragma once

#include "analysis/readings.h"
#include "chart_routines.h"
#include "hp4140/test_config.h"

#include <QObject>
#include <QPointer>

#include <array>

#include <cstdint>

#include <functional>

namespace settings {
class ControlRegistry;
}

namespace chart {

// The chart's settings view and the graph-type buttons of the main window, reached by their
// keys in the window's control registry: the settings they hold, applying them to the chart,
// the rounding notes (which follow the limit fields as the focus leaves them), the enabling of the
// manual limits (which follows the scaling mode), and switching between chart and view.
class GraphPanel final : public QObject {
    Q_OBJECT

public:
    // showSettings shows the settings view (true) or the chart (false) in the chart's place.
    // The test's function decides the quantity on the vertical axis.
    GraphPanel(const settings::ControlRegistry& controls, chart::LiveChart& chart,
               const hp4140::TestConfig& test, std::function<void(bool)> showSettings,
               QObject* parent);

    // What the controls hold now; the quantity follows the application's test settings.
    chart::GraphSettings graphSettings() const;

    // Prepares the chart for a test (or the start-up) of about iExpectedPoints readings.
    void Graph_Init(std::int32_t iExpectedPoints) const;
    void Graph_LoadSettings() const { chart::applyGraphSettings(chart_, graphSettings()); }
    void UpdateGraphRoundingLabels() const;
    // A configuration was loaded: its chart settings reach the chart at once, and the rounding
    // notes follow its limits.
    void settingsLoaded() const;
    void EnableDisableGraphScaling(bool bManual) const;
    void cmdEditGraph_Click();
    // Back to the chart if the settings view is open, applying its settings.
    void closeGraphSettings();

    // The start-up steps: the chart prepared and set, its first two points placed, the notes
    // and the manual limits' enabling brought in line with the controls.
    void startUp(std::int32_t iExpectedPoints);

    // The curve the test's function makes (I: current against time, I-V, C-V), whose views the
    // view selector offers.
    analysis::Curve curve() const;

private:
    template <typename Widget> Widget* control(const char* key) const;
    float number(const char* key) const;
    bool settingsShown() const;
    bool capacitanceTest() const { return test_.iFunction == hp4140::Function::CV; }
    void onFocusChanged(QWidget* old) const;
    // The view selector offers the views of the test's curve, keeping the one chosen where it
    // can.
    void offerViews() const;
    analysis::View chosenView() const;

    const settings::ControlRegistry& controls_;
    chart::LiveChart& chart_;
    const hp4140::TestConfig& test_;
    std::function<void(bool)> showSettings_;
    // Focus changes arrive while the window takes its controls down, so the fields are watched
    // through pointers that know when their widget is gone.
    std::array<QPointer<QWidget>, 4> limitFields_;
};

} // namespace chart
