#pragma once

#include "config_coupling.h"
#include "panel_settings.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QGroupBox;
class QHBoxLayout;
class QSlider;

namespace quenta {
class Quenta;
}

namespace settings {
class ControlRegistry;
}

namespace app {

class ConfigFrame;
class FieldDescriptions;
class OptionGroup;

// The settings of a test: the address frame, the eight configuration fields with their
// sliders, the option groups and the internal-timing fields, with the slider coupling and the
// rules that enable and disable them.
class ConfigPanel : public QWidget {
    Q_OBJECT

public:
    ConfigPanel(const FieldDescriptions& fields, settings::ControlRegistry& registry,
                QWidget* parent);

    quenta::Quenta* txtConfig(int i) const;
    QSlider* sliderConfig(int i) const;
    quenta::Quenta* txtSampleRate() const { return txtSampleRate_; }
    quenta::Quenta* txtTotalTestTime() const { return txtTotalTestTime_; }
    quenta::Quenta* txtGPIBAddress() const { return txtGPIBAddress_; }
    quenta::Quenta* txtGPIBBoardId() const { return txtGPIBBoardId_; }
    OptionGroup& optionFunction() const { return *optionFunction_; }
    OptionGroup& optionRamp() const { return *optionRamp_; }
    OptionGroup& optionIntegration() const { return *optionIntegration_; }
    OptionGroup& optionFilter() const { return *optionFilter_; }
    OptionGroup& optionVB() const { return *optionVB_; }
    OptionGroup& optionCurrentLimit() const { return *optionCurrentLimit_; }
    OptionGroup& optionCurrentLimitVB() const { return *optionCurrentLimitVB_; }

    void InitSliderMultipliers();
    const SliderTables& sliderTables() const { return tables_; }

    // Field-to-slider update; also run for every field once the configuration is loaded.
    void txtConfig_LostFocus(int i);
    // Slider-to-field update.
    void sliderConfig_Change(int i);
    void txtConfig_EnableDisable(int i, bool enable);
    // The function and ramp rules: which ramps the function allows, and a re-selection of an
    // allowed ramp when the selected one is not.
    void EnableDisableFromData();
    // The panel's part of EnableDisableConfiguration: fields, sliders, option groups, timing
    // and address fields, then (when enabling) the function and ramp rules.
    void enablePanel(bool enabled);

    PanelSettings settings() const;

    // Puts a widget in the top row, to the left of the address frame.
    void placeBesideAddress(QWidget* widget);

private:
    void createAddressFrame(const FieldDescriptions& fields, settings::ControlRegistry& registry);
    void createConfigFrames(const FieldDescriptions& fields, settings::ControlRegistry& registry);
    void createOptionFrames(settings::ControlRegistry& registry);
    void createTimingFrame(const FieldDescriptions& fields, settings::ControlRegistry& registry);
    void layOut();
    void setReadingTabOrder();
    void connectHandlers();
    void onFocusChanged(QWidget* old);

    SliderTables tables_;
    QWidget* frame4_ = nullptr;
    QHBoxLayout* topRow_ = nullptr;
    std::array<ConfigFrame*, kConfigFieldCount> frames_{};
    QGroupBox* frameFunction_ = nullptr;
    QGroupBox* frameRamp_ = nullptr;
    QGroupBox* frameCurrentLimits_ = nullptr;
    QGroupBox* frameVB_ = nullptr;
    QGroupBox* frameFilter_ = nullptr;
    QGroupBox* frameTiming_ = nullptr;
    QGroupBox* frameIntegration_ = nullptr;
    quenta::Quenta* txtSampleRate_ = nullptr;
    quenta::Quenta* txtTotalTestTime_ = nullptr;
    quenta::Quenta* txtGPIBAddress_ = nullptr;
    quenta::Quenta* txtGPIBBoardId_ = nullptr;
    OptionGroup* optionFunction_ = nullptr;
    OptionGroup* optionRamp_ = nullptr;
    OptionGroup* optionIntegration_ = nullptr;
    OptionGroup* optionFilter_ = nullptr;
    OptionGroup* optionVB_ = nullptr;
    OptionGroup* optionCurrentLimit_ = nullptr;
    OptionGroup* optionCurrentLimitVB_ = nullptr;
};

} // namespace app
