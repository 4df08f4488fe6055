#include "hp4140/command_set.h"
#include "hp4140/setup_limits.h"

#include "support/comma_locale.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// The panel's start-up settings: I, Stair up, 0 to 10 V in 1 V steps, limits 1E-2, VB off,
// filter off, short integration.
hp4140::TestConfig startupConfig() {
    hp4140::TestConfig c;
    c.iGPIBAddress = 16;
    c.fStopVoltage = 10.0f;
    c.fStepVoltage = 1.0f;
    c.iHoldTime = 0;
    c.fStepDelay = 1.0f;
    c.iCurrentLimitVA = 1;
    c.iCurrentLimitVB = 1;
    c.iRamp = hp4140::Ramp::StairUp;
    c.iVBMode = 1;
    c.iFilter = 1;
    return c;
}

Texts texts(const std::vector<hp4140::Command>& commands) {
    Texts result;
    for (const auto& command : commands)
        result.push_back(command.text);
    return result;
}

Texts polled(const std::vector<hp4140::Command>& commands) {
    Texts result;
    for (const auto& command : commands)
        if (command.pollAfter)
            result.push_back(command.text);
    return result;
}

TEST(ConfigurationCommands, StartupSettingsGiveTheWholeSequence) {
    const auto commands = hp4140::ConfigurationCommands(startupConfig());
    EXPECT_EQ(texts(commands),
              (Texts{"T1", "L1", "M1", "F1", "A3", "PA0.0", "PS0.0", "PT10.0", "PE1.0", "PH0.0",
                     "PD1.0", "PV0.0", "B2", "PB0.0", "J0", "I1"}));
    EXPECT_EQ(polled(commands), (Texts{"L1", "M1"}));
}

TEST(ConfigurationCommands, ConstantRampStartsWithT2AndSendsA5) {
    hp4140::TestConfig c = startupConfig();
    c.iRamp = hp4140::Ramp::Constant;
    const Texts sent = texts(hp4140::ConfigurationCommands(c));
    EXPECT_EQ(sent.front(), "T2");
    EXPECT_EQ(sent.at(4), "A5");
    for (std::int16_t r = 0; r < 4; ++r) {
        c.iRamp = hp4140::rampAt(r);
        const Texts other = texts(hp4140::ConfigurationCommands(c));
        EXPECT_EQ(other.front(), "T1");
        EXPECT_EQ(other.at(4), "A" + std::to_string(r + 1));
    }
}

TEST(ConfigurationCommands, NumbersFollowTheirPictures) {
    hp4140::TestConfig c = startupConfig();
    c.iFunction = hp4140::Function::CV;
    c.iHoldTime = 10;
    c.fStepVoltage = 0.05f;
    c.fVAVoltage = -5.0f;
    c.fRampRate = 0.0125f;
    c.fStartVoltage = 2.25f;
    c.fStopVoltage = 123.456f;
    c.fStepDelay = 0.125f;
    c.fVBVoltage = -100.0f;
    c.iFilter = 0;
    c.iIntegration = 2;
    c.iVBMode = 0;
    c.iCurrentLimitVA = 3;
    c.iCurrentLimitVB = 2;
    EXPECT_EQ(texts(hp4140::ConfigurationCommands(c)),
              (Texts{"T1", "L3", "M2", "F3", "A3", "PA-5.0", "PS2.25", "PT123.46", "PE0.05",
                     "PH10.0", "PD0.13", "PV0.0125", "B1", "PB-100.0", "J1", "I3"}));
}

TEST(ConfigurationCommands, LimitsOutsideTheirCodesAreLeftOut) {
    hp4140::TestConfig c = startupConfig();
    c.iCurrentLimitVA = 0;
    c.iCurrentLimitVB = 4;
    const auto commands = hp4140::ConfigurationCommands(c);
    EXPECT_EQ(texts(commands).at(1), "F1");
    EXPECT_TRUE(polled(commands).empty());
}

TEST(ConfigurationCommands, DecimalPointUnderACommaLocale) {
    testsupport::CommaLocale comma;
    ASSERT_TRUE(comma.ok()) << "de_DE.UTF-8 is missing: run scripts/setup.sh";
    hp4140::TestConfig c = startupConfig();
    c.fVAVoltage = -5.5f;
    c.fRampRate = 0.0125f;
    const Texts sent = texts(hp4140::ConfigurationCommands(c));
    EXPECT_EQ(sent.at(5), "PA-5.5");
    EXPECT_EQ(sent.at(11), "PV0.0125");
}

} // namespace

namespace {

// Settings the instrument would ignore are judged as they are sent, and only where the function
// and ramp use them.
TEST(IgnoredSettingRefusal, NamesTheFieldTheCommandAndWhatTheInstrumentTakes) {
    using hp4140::IgnoredSettingRefusal;
    hp4140::TestConfig stair = startupConfig();
    stair.iFunction = hp4140::Function::IV;
    hp4140::TestConfig sweep = stair;
    sweep.iRamp = hp4140::Ramp::SweepUp;
    sweep.fRampRate = 1.0f;
    EXPECT_FALSE(IgnoredSettingRefusal(startupConfig())); // I: the unused PV0.0 does not count
    EXPECT_FALSE(IgnoredSettingRefusal(stair));           // a stair has no use for dV/dt
    EXPECT_FALSE(IgnoredSettingRefusal(sweep));

    struct Case {
        hp4140::TestConfig config;
        const char* refusal; // its start, or nullptr for none
    };
    auto with = [](hp4140::TestConfig c, float hp4140::TestConfig::*field, float value) {
        c.*field = value;
        return c;
    };
    const Case cases[] = {
        {with(sweep, &hp4140::TestConfig::fStepVoltage, 0.002f), "Step Voltage is sent as PE0.0,"},
        {with(sweep, &hp4140::TestConfig::fStepVoltage, -0.01f), nullptr},
        {with(sweep, &hp4140::TestConfig::fRampRate, 0.0004f), "dV/dt (V/s) is sent as PV0.0004,"},
        {with(sweep, &hp4140::TestConfig::fRampRate, -0.1f), "dV/dt (V/s) is sent as PV-0.1,"},
        {with(sweep, &hp4140::TestConfig::fRampRate, 50.0f), nullptr},
        {with(sweep, &hp4140::TestConfig::fStepDelay, -100.0f), nullptr},
        {with(stair, &hp4140::TestConfig::fStepDelay, -100.0f), "Step Delay is sent as PD-100.0,"},
        {with(stair, &hp4140::TestConfig::fStepDelay, 0.0f), nullptr},
    };
    for (const Case& c : cases) {
        const auto refusal = IgnoredSettingRefusal(c.config);
        if (!c.refusal) {
            EXPECT_FALSE(refusal) << *refusal;
            continue;
        }
        ASSERT_TRUE(refusal) << c.refusal;
        EXPECT_EQ(refusal->rfind(c.refusal, 0), 0u) << *refusal;
        EXPECT_NE(refusal->find(", which the instrument ignores: a "), std::string::npos);
    }
    hp4140::TestConfig cv = with(sweep, &hp4140::TestConfig::fRampRate, 0.0f);
    cv.iFunction = hp4140::Function::CV;
    cv.iRamp = hp4140::Ramp::StairUp; // C-V sweeps whatever the ramp
    EXPECT_TRUE(IgnoredSettingRefusal(cv));
}

} // namespace
