// The configuration download and the closing sequence as the simulated instrument sees them.
#include "support/bus_fixture.h"

#include "bus/gpib_device.h"
#include "hp4140/command_set.h"
#include "platform/yield.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class Download : public testsupport::BusFixture {
protected:
    Download() {
        device.setBoardID(0);
        device.setGPIBAddress(kAddress);
        config.iGPIBAddress = kAddress;
    }

    // The bus traffic as "Send X", "SPOLL" and "EnableLocal A" lines.
    Lines traffic() const {
        Lines result;
        for (const std::string& line : traceLines()) {
            const std::string function = line.substr(0, line.find('\t'));
            if (function == "Send") {
                std::string data = field(line, 3);
                result.push_back("Send " + data.substr(0, data.size() - 4)); // drop "\r\n"
            } else if (function == "ReadStatusByte") {
                result.push_back("SPOLL");
            } else if (function == "EnableLocal") {
                result.push_back("EnableLocal " + field(line, 3));
            }
        }
        return result;
    }

    static std::string field(const std::string& line, int n) {
        std::size_t start = 0;
        for (int i = 0; i < n; ++i)
            start = line.find('\t', start) + 1;
        return line.substr(start, line.find('\t', start) - start);
    }

    platform::CountingYield yield;
    diagnostics::oocErrorQueue appErrors;
    bus::GPIBDevice device{gpib, appErrors, log, clock, yield};
    hp4140::TestConfig config;
};

TEST_F(Download, StairUpCurrentVoltageSetUp) {
    config.iFunction = hp4140::Function::IV;
    config.iRamp = hp4140::Ramp::StairUp;
    config.fStopVoltage = 10.0f;
    config.fStepVoltage = 1.0f;
    config.iHoldTime = 10;
    config.fStepDelay = 1.0f;
    config.fRampRate = 0.5f;
    config.iCurrentLimitVA = 1;
    config.iCurrentLimitVB = 2;
    config.iVBMode = 1;
    config.iFilter = 1;
    const double before = clock.elapsedSeconds();
    hp4140::DownloadTestConfig(config, device, clock);
    EXPECT_EQ(
        traffic(),
        (Lines{"Send T1",    "Send L1",    "SPOLL",      "Send M2",     "SPOLL",      "Send F2",
               "Send A3",    "Send PA0.0", "Send PS0.0", "Send PT10.0", "Send PE1.0", "Send PH10.0",
               "Send PD1.0", "Send PV0.5", "Send B2",    "Send PB0.0",  "Send J0",    "Send I1",
               "SPOLL",      "SPOLL",      "Send D3"}));
    // The pause is a plain sleep: a second passes and the event loop never runs.
    EXPECT_GE(clock.elapsedSeconds() - before, 1.0);
    EXPECT_EQ(yield.count(), 0);
}

TEST_F(Download, ConstantCapacitanceSetUp) {
    config.iFunction = hp4140::Function::CV;
    config.iRamp = hp4140::Ramp::Constant;
    config.fVAVoltage = -5.0f;
    config.fStepVoltage = 0.05f;
    config.fRampRate = 0.0125f;
    config.fVBVoltage = 2.5f;
    config.iCurrentLimitVA = 1;
    config.iCurrentLimitVB = 1;
    config.iVBMode = 0;
    config.iFilter = 0;
    config.iIntegration = 2;
    hp4140::DownloadTestConfig(config, device, clock);
    EXPECT_EQ(traffic(),
              (Lines{"Send T2",     "Send L1",    "SPOLL",       "Send M1",       "SPOLL",
                     "Send F3",     "Send A5",    "Send PA-5.0", "Send PS0.0",    "Send PT0.0",
                     "Send PE0.05", "Send PH0.0", "Send PD0.0",  "Send PV0.0125", "Send B1",
                     "Send PB2.5",  "Send J1",    "Send I3",     "SPOLL",         "SPOLL",
                     "Send D3"}));
}

TEST_F(Download, IdleSequenceEndsInLocalControlWhateverTheFunction) {
    config.iFunction = hp4140::Function::CV;
    hp4140::SetInstrumentIdle(config, device, gpib);
    EXPECT_EQ(traffic(),
              (Lines{"Send W7", "SPOLL", "Send D0", "SPOLL", "SPOLL", "Send F1", "Send T1",
                     "EnableLocal " + std::to_string(kAddress), "SPOLL", "SPOLL"}));
}

} // namespace
