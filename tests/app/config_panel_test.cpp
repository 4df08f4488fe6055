#include "main_window_support.h"

#include "app/panel/config_frame.h"
#include "app/panel/panel_settings.h"
#include "hp4140/command_set.h"
#include "support/comma_locale.h"

#include <QRadioButton>

namespace {

using apptest::MainWindow;
using namespace app;

TEST_F(MainWindow, FieldsAndSlidersStartAsDescribed) {
    // The start-up's load validates every field: Hold Time's stored 0 comes up as its minimum.
    const QStringList texts{"0", "10", "1", "0.1", "1.0", "0", "0", "0"};
    const QList<int> positions{0, -10, -10, 9999, 4900, 499, 0, 0};
    for (int i = 0; i < kConfigFieldCount; ++i) {
        EXPECT_EQ(field(i)->Text(), texts[i]) << i;
        EXPECT_EQ(field(i)->ValType(), 4) << i;
        EXPECT_EQ(slider(i)->invertedAppearance(), true);
        EXPECT_EQ(slider(i)->orientation(), Qt::Vertical);
    }
    // Every slider starts at its field's value; a value beyond the slider's range (Hold Time
    // 0.1, dV/dt 0) leaves the slider at its end and the text as it is.
    for (int i = 0; i < kConfigFieldCount; ++i)
        EXPECT_EQ(slider(i)->value(), positions[i]) << i;
    EXPECT_EQ(field(HoldTime)->FormatString(), "###0.0");
    EXPECT_EQ(field(StepDelay)->FormatString(), "###0.0#");
    EXPECT_DOUBLE_EQ(field(HoldTime)->Min(), 0.1);
    EXPECT_DOUBLE_EQ(field(HoldTime)->Max(), 1999.0);
    EXPECT_EQ(panel().txtGPIBAddress()->Text(), "16");
    EXPECT_EQ(panel().txtGPIBAddress()->ValType(), 2);
    EXPECT_EQ(panel().txtSampleRate()->Text(), "4");
    EXPECT_EQ(panel().txtTotalTestTime()->Text(), "60");
}

TEST_F(MainWindow, SliderEndsWriteTheFieldThroughItsLimitsAndPicture) {
    slider(HoldTime)->setValue(slider(HoldTime)->minimum());
    EXPECT_EQ(field(HoldTime)->Text(), "1999.0");
    slider(HoldTime)->setValue(slider(HoldTime)->maximum());
    EXPECT_EQ(field(HoldTime)->Text(), "0.1");
    slider(StepDelay)->setValue(slider(StepDelay)->maximum());
    EXPECT_EQ(field(StepDelay)->Text(), "0.01");
    slider(StartVoltage)->setValue(-100);
    EXPECT_EQ(field(StartVoltage)->Text(), "100");
    slider(StartVoltage)->setValue(100);
    EXPECT_EQ(field(StartVoltage)->Text(), "-100");
}

TEST_F(MainWindow, TypedValuesMoveTheirSliders) {
    typeAndLeave(field(StepDelay), "25");
    EXPECT_EQ(slider(StepDelay)->value(), 2500);
    EXPECT_EQ(field(StepDelay)->Text(), "25.0");

    typeAndLeave(field(StopVoltage), "10.4");
    EXPECT_EQ(slider(StopVoltage)->value(), -10);
    EXPECT_EQ(field(StopVoltage)->Text(), "10.4");

    // The field limits first (5000 to 1999), then the slider follows the limited value.
    typeAndLeave(field(HoldTime), "5000");
    EXPECT_EQ(slider(HoldTime)->value(), -9990);
    EXPECT_EQ(field(HoldTime)->Text(), "1999.0");
}

TEST_F(MainWindow, AValueBeyondTheSliderKeepsTheTypedValue) {
    typeAndLeave(field(StepVoltage), "20");
    EXPECT_EQ(slider(StepVoltage)->value(), -100);
    EXPECT_EQ(field(StepVoltage)->Text(), "20");
    typeAndLeave(field(RampRate), "5");
    EXPECT_EQ(slider(RampRate)->value(), -500);
    EXPECT_EQ(field(RampRate)->Text(), "5");
}

TEST_F(MainWindow, FunctionRulesReselectAnAllowedRamp) {
    OptionGroup& ramp = panel().optionRamp();
    ASSERT_TRUE(ramp.isSelected(2));             // "Stair up"
    panel().optionFunction().button(2)->click(); // "C-V"
    EXPECT_TRUE(ramp.isSelected(1));             // "Sweep up/dn"
    for (int r = 0; r <= 4; ++r)
        EXPECT_EQ(ramp.button(r)->isEnabled(), r <= 1) << r;

    panel().optionFunction().select(0);
    ramp.select(4);                     // "Constant"
    panel().optionFunction().select(1); // "I-V"
    EXPECT_TRUE(ramp.isSelected(3));    // "Stair up/dn"
    EXPECT_FALSE(ramp.button(4)->isEnabled());
}

TEST_F(MainWindow, AGroupWithNoSelectionReadsZero) {
    panel().optionCurrentLimit().select(2);
    panel().optionCurrentLimit().clearSelection();
    EXPECT_EQ(panel().optionCurrentLimit().getOptionButtonSelectedIndex(), 0);
    EXPECT_FALSE(panel().optionCurrentLimit().isSelected(0));
    EXPECT_EQ(window.Form_SaveConfig().iCurrentLimitVA, 1);
}

TEST_F(MainWindow, ARunningTestLocksThePanelAndTheEndKeepsTheRampRules) {
    panel().optionFunction().select(2);
    window.DisableConfiguration();
    for (int i = 0; i < kConfigFieldCount; ++i) {
        EXPECT_FALSE(field(i)->isEnabled());
        EXPECT_FALSE(slider(i)->isEnabled());
    }
    EXPECT_FALSE(panel().optionFilter().button(0)->isEnabled());
    EXPECT_FALSE(panel().txtGPIBBoardId()->isEnabled());
    EXPECT_FALSE(window.controls().find("txtPathToData")->isEnabled());
    EXPECT_FALSE(window.controls().find("cmdEditGraph")->isEnabled());

    window.EnableConfiguration();
    EXPECT_TRUE(panel().optionRamp().button(1)->isEnabled());
    EXPECT_FALSE(panel().optionRamp().button(2)->isEnabled());
    EXPECT_TRUE(field(StepDelay)->isEnabled());
    EXPECT_TRUE(window.controls().find("cmdBrowse")->isEnabled());
}

TEST_F(MainWindow, StartupSettingsDownloadAsTheirCommands) {
    const hp4140::TestConfig& config = window.Form_SaveConfig();
    EXPECT_EQ(&config, &application.testConfig());
    std::vector<std::string> sent;
    for (const auto& command : hp4140::ConfigurationCommands(config))
        sent.push_back(command.text);
    EXPECT_EQ(sent, (std::vector<std::string>{"T1", "L1", "M1", "F1", "A3", "PA0.0", "PS0.0",
                                              "PT10.0", "PE1.0", "PH0.0", "PD1.0", "PV0.0", "B2",
                                              "PB0.0", "J0", "I1"}));
    EXPECT_EQ(config.iGPIBAddress, 16);
}

TEST_F(MainWindow, FieldsAndSlidersWriteAPointUnderACommaLocale) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.ok()) << "de_DE.UTF-8 is missing: run scripts/setup.sh";
    slider(StepVoltage)->setValue(-25);
    EXPECT_EQ(field(StepVoltage)->Text(), "2.5");
    typeAndLeave(field(StepDelay), "0.125");
    EXPECT_EQ(field(StepDelay)->Text(), "0.13");
    EXPECT_FLOAT_EQ(window.Form_SaveConfig().fStepDelay, 0.13f);
}

} // namespace
