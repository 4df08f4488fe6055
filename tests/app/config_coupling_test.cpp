#include "app/panel/config_coupling.h"
#include "app/panel/panel_settings.h"
#include "quenta/numtext/numtext.h"

#include <gtest/gtest.h>

namespace {

using namespace app;

class Coupling : public testing::Test {
protected:
    Coupling() { InitSliderMultipliers(tables); }

    std::optional<std::string> toField(int field, const std::string& text, int position) const {
        return sliderToFieldText(tables, field, text, position);
    }
    SliderPosition toSlider(int field, const std::string& text) const {
        return fieldToSliderPosition(tables, field, text);
    }

    SliderTables tables;
};

TEST_F(Coupling, SliderEndsStandForTheirTickLabels) {
    // Written in the general form of the double sum; the field's limits and picture then show
    // 1999.9 as 1999.0 and 0.0999999999999091 as 0.1.
    struct End {
        int field;
        double top;
        double bottom;
    };
    for (const End& end :
         {End{StartVoltage, 100, -100}, End{StepVoltage, 10, -10}, End{HoldTime, 1999.9, 0.1},
          End{StepDelay, 100, 0.01}, End{RampRate, 1, 0.001}, End{VAVoltage, 100, -100}}) {
        const SliderRange range = sliderRange(end.field);
        EXPECT_NEAR(numtext::readNumber(*toField(end.field, "12345", range.min)), end.top, 1e-9)
            << end.field;
        EXPECT_NEAR(numtext::readNumber(*toField(end.field, "12345", range.max)), end.bottom, 1e-9)
            << end.field;
    }
    EXPECT_EQ(toField(HoldTime, "0", sliderRange(HoldTime).min), "1999.9");
}

TEST_F(Coupling, TheRoundedFieldValueKeepsAWholeVoltFieldAsTyped) {
    // 10.4 rounds to 10, which slider position -10 stands for: the field keeps 10.4.
    EXPECT_EQ(toSlider(StopVoltage, "10.4").value, -10);
    EXPECT_EQ(toField(StopVoltage, "10.4", -10), std::nullopt);
    // 10.5 rounds to the even 10 as well; 11.5 to 12.
    EXPECT_EQ(toField(StopVoltage, "10.5", -10), std::nullopt);
    EXPECT_EQ(toField(StopVoltage, "11.5", -12), std::nullopt);
    EXPECT_EQ(toField(StopVoltage, "10.4", -11), "11");
}

TEST_F(Coupling, StepFieldsTakeTheSlidersStep) {
    EXPECT_EQ(toSlider(StepDelay, "25").value, 2500);
    EXPECT_EQ(toField(StepDelay, "25", 2500), "25");
    EXPECT_EQ(toSlider(StepVoltage, "2.34").value, -23);
    EXPECT_EQ(toField(StepVoltage, "2.34", -23), "2.3");
    EXPECT_EQ(toField(StepVoltage, "2", -20), std::nullopt);
    EXPECT_EQ(toSlider(RampRate, "0.25").value, 250);
    EXPECT_EQ(toField(RampRate, "0.25", 250), "0.25");
}

TEST_F(Coupling, ValuesBeyondTheSliderPutItAtItsEnd) {
    EXPECT_EQ(toSlider(StepVoltage, "20").value, -100);
    EXPECT_TRUE(toSlider(StepVoltage, "20").clamped);
    EXPECT_EQ(toSlider(StepDelay, "0.001").value, 4999);
    EXPECT_TRUE(toSlider(StepDelay, "0.001").clamped);
    EXPECT_EQ(toSlider(HoldTime, "1E300").value, -9999);
    EXPECT_FALSE(toSlider(HoldTime, "0.1").clamped);
    EXPECT_EQ(toSlider(HoldTime, "abc").value, 9999); // no number reads as 0
}

TEST(RampRule, EachFunctionAllowsItsRamps) {
    using hp4140::Function;
    using hp4140::Ramp;
    EXPECT_EQ(highestAllowedRamp(Function::I), Ramp::Constant);
    EXPECT_EQ(highestAllowedRamp(Function::IV), Ramp::StairUpDown);
    EXPECT_EQ(highestAllowedRamp(Function::CV), Ramp::SweepUpDown);
    EXPECT_EQ(highestAllowedRamp(hp4140::functionAt(7)), Ramp::Constant);
}

TEST(PanelSettingsCopy, TextsAndSelectionsBecomeTheTestRecord) {
    const PanelSettings s{
        .gpibAddress = "16",
        .gpibBoardId = "2.5",
        .config = {"-1.5", "10.4", "0.05", "10.5", "1.25", "0.0125", "3", "-5"},
        .sampleRate = "0.1",
        .totalTestTime = "abc",
        .currentLimitVA = 2,
        .currentLimitVB = 0,
        .integration = 1,
        .function = 2,
        .ramp = 1,
        .vbMode = 0,
        .filter = 1,
    };
    const hp4140::TestConfig c = testConfigFrom(s);
    EXPECT_EQ(c.iGPIBAddress, 16);
    EXPECT_EQ(c.iBoardID, 2); // halves to even
    EXPECT_FLOAT_EQ(c.fStartVoltage, -1.5f);
    EXPECT_FLOAT_EQ(c.fStopVoltage, 10.4f);
    EXPECT_FLOAT_EQ(c.fStepVoltage, 0.05f);
    EXPECT_EQ(c.iHoldTime, 10);
    EXPECT_FLOAT_EQ(c.fStepDelay, 1.25f);
    EXPECT_FLOAT_EQ(c.fRampRate, 0.0125f);
    EXPECT_FLOAT_EQ(c.fVBVoltage, 3.0f);
    EXPECT_FLOAT_EQ(c.fVAVoltage, -5.0f);
    EXPECT_FLOAT_EQ(c.fSampleRate, 0.1f);
    EXPECT_FLOAT_EQ(c.fMaxSampleTime, 0.0f);
    EXPECT_EQ(c.iCurrentLimitVA, 3);
    EXPECT_EQ(c.iCurrentLimitVB, 1);
    EXPECT_EQ(c.iIntegration, 1);
    EXPECT_EQ(c.iFunction, hp4140::Function::CV);
    EXPECT_EQ(c.iRamp, hp4140::Ramp::SweepUpDown);
    EXPECT_EQ(c.iVBMode, 0);
    EXPECT_EQ(c.iFilter, 1);
}

TEST(PanelSettingsCopy, IntegersHoldWithinSixteenBits) {
    const PanelSettings s{
        .gpibAddress = "99999",
        .gpibBoardId = "-1E9",
        .config = {"", "", "", "11.5", "", "", "", ""},
        .sampleRate = "",
        .totalTestTime = "",
    };
    const hp4140::TestConfig c = testConfigFrom(s);
    EXPECT_EQ(c.iGPIBAddress, 32767);
    EXPECT_EQ(c.iBoardID, -32768);
    EXPECT_EQ(c.iHoldTime, 12);
}

} // namespace
