// A whole test run against the simulated HP 4140B through the program's own bus layer, command
// set and parser: every reply the instrument gives must parse cleanly.

#include "bus/gpib_device.h"
#include "hp4140/command_set.h"
#include "hp4140/parse_hp4140_data.h"
#include "hp4140/status_byte.h"
#include "platform/yield.h"
#include "support/bus_fixture.h"

namespace {

struct RunResult {
    std::vector<HP4140DataType> readings;
    bool outputSwitchedOff = false;
};

class InstrumentRun : public testsupport::BusFixture {
protected:
    InstrumentRun() {
        log.setEnabled(false);
        device.setGPIBAddress(kAddress);
        config.iGPIBAddress = kAddress;
        config.iCurrentLimitVA = 1;
        config.iCurrentLimitVB = 1;
        config.iVBMode = 1;
        config.iFilter = 1;
    }

    // Downloads the set-up, starts the instrument and polls every 250 ms, as the test run does,
    // until the output goes off.
    RunResult runTest() {
        hp4140::DownloadTestConfig(config, device, clock);
        device.Send("W1");
        RunResult result;
        for (int tick = 0; tick < 4000 && !result.outputSwitchedOff; ++tick) {
            clock.sleep(std::chrono::milliseconds(250));
            const std::int16_t status = device.SPOLL();
            if (hp4140::status::has(status, hp4140::status::kReadingReady)) {
                HP4140DataType reading;
                reading.RawData = device.Receive();
                ParseHP4140Data(reading, &parserLog);
                result.readings.push_back(reading);
            }
            result.outputSwitchedOff = !hp4140::status::has(status, hp4140::status::kVoltageOutput);
        }
        hp4140::SetInstrumentIdle(config, device, gpib);
        return result;
    }

    void sweep(hp4140::Function function, hp4140::Ramp ramp, float start, float stop, float step) {
        config.iFunction = function;
        config.iRamp = ramp;
        config.fStartVoltage = start;
        config.fStopVoltage = stop;
        config.fStepVoltage = step;
        config.fRampRate = 1.0f;
        config.fStepDelay = 0.5f;
    }

    platform::CountingYield yield;
    diagnostics::oocErrorQueue appErrors;
    bus::GPIBDevice device{gpib, appErrors, log, clock, yield};
    hp4140::TestConfig config;
    testsupport::RecordingSink parserLog;
};

TEST_F(InstrumentRun, AnIvSweepGivesOneCleanReadingPerStep) {
    sweep(hp4140::Function::IV, hp4140::Ramp::SweepUp, 0.0f, 5.0f, 0.5f);
    const RunResult result = runTest();
    EXPECT_TRUE(result.outputSwitchedOff);
    EXPECT_TRUE(parserLog.lines.empty()) << parserLog.lines.front();
    ASSERT_EQ(result.readings.size(), 11u);
    for (std::size_t i = 0; i < result.readings.size(); ++i) {
        EXPECT_NEAR(result.readings[i].Voltage, 0.5 * static_cast<double>(i), 1e-4) << i;
        EXPECT_EQ(result.readings[i].RawData.find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(sim.call<long()>("gpibsim_lost_readings"), 0);
}

TEST_F(InstrumentRun, AFallingStairUpDownComesBackToItsStart) {
    sweep(hp4140::Function::IV, hp4140::Ramp::StairUpDown, 2.0f, -2.0f, 1.0f);
    const RunResult result = runTest();
    EXPECT_TRUE(parserLog.lines.empty());
    ASSERT_GE(result.readings.size(), 9u);
    EXPECT_NEAR(result.readings.front().Voltage, 2.0, 1e-4);
    EXPECT_NEAR(result.readings[4].Voltage, -2.0, 1e-4);
    EXPECT_NEAR(result.readings.back().Voltage, 2.0, 1e-4);
}

TEST_F(InstrumentRun, ACvSweepReadsPositiveCapacitances) {
    sweep(hp4140::Function::CV, hp4140::Ramp::SweepUpDown, -5.0f, 5.0f, 1.0f);
    const RunResult result = runTest();
    EXPECT_TRUE(parserLog.lines.empty());
    // Up from -5 V to 5 V and back down, the top reading taken once.
    ASSERT_EQ(result.readings.size(), 21u);
    EXPECT_NEAR(result.readings[10].Voltage, 5.0, 1e-4);
    EXPECT_NEAR(result.readings.back().Voltage, -5.0, 1e-4);
    for (const HP4140DataType& reading : result.readings) {
        EXPECT_EQ(reading.RawData.substr(1, 2), "AC") << reading.RawData;
        EXPECT_GT(reading.Current, 0.0f);
        EXPECT_LT(reading.Current, 1e-6f);
    }
}

} // namespace
