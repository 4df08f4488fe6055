// A whole test run, window-free, against the simulated instrument in virtual time.

#include "app/testrun/test_run.h"
#include "app/testrun/test_run_view.h"
#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/error_queue.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/timer.h"
#include "platform/yield.h"
#include "support/bus_fixture.h"
#include "support/sim_library.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

class RecordingView : public testrun::TestRunView {
public:
    void setStartEnabled(bool enabled) override { startEnabled = enabled; }
    void setAbortEnabled(bool enabled) override { abortEnabled = enabled; }
    void clearLog() override { ++logClears; }
    void closeGraphSettings() override {}
    void setConfigurationEnabled(bool enabled) override { configurationEnabled = enabled; }
    void prepareChart(const testrun::Expectation& e) override { prepared = e; }
    void resetReadings() override {
        ++resets;
        readings.clear();
    }
    void fileReading(std::unique_ptr<HP4140DataType> reading) override {
        readings.push_back(std::move(reading));
    }
    bool saveData() override {
        ++saves;
        return true;
    }

    bool startEnabled = true;
    bool abortEnabled = false;
    bool configurationEnabled = true;
    int logClears = 0;
    int resets = 0;
    int saves = 0;
    testrun::Expectation prepared;
    std::vector<std::unique_ptr<HP4140DataType>> readings;
};

class TestRunFixture : public testing::Test {
protected:
    static constexpr std::int16_t kAddress = 16;

    TestRunFixture() {
        sim.call<int(int)>("gpibsim_set_virtual_time", 1);
        clock.setTimeListener([this](platform::VirtualClock::Duration now) {
            const double seconds = std::chrono::duration<double>(now).count();
            if (seconds > sim.call<double()>("gpibsim_time"))
                sim.call<int(double)>("gpibsim_set_time", seconds);
        });
        config.iGPIBAddress = kAddress;
        config.iCurrentLimitVA = 1;
        config.iCurrentLimitVB = 1;
        config.fSampleRate = 4.0f;
        config.fMaxSampleTime = 60.0f;
    }

    void sweep(std::int16_t function, float start, float stop, float step) {
        config.iFunction = function;
        config.iRamp = hp4140::ramp::SweepUp;
        config.fStartVoltage = start;
        config.fStopVoltage = stop;
        config.fStepVoltage = step;
        config.fRampRate = 1.0f;
    }

    // Lets the timer run until the test ends (or an hour of virtual time passes).
    void runToEnd() {
        while (run.TestRunning() && clock.elapsedSeconds() < 3600 && clock.fireNextTimer()) {
        }
    }

    Lines commands() const {
        std::istringstream text(sim.call<const char*(int)>("gpibsim_last_commands", 64));
        Lines lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }

    long count(const std::string& command) const {
        const Lines all = commands();
        return std::count(all.begin(), all.end(), command);
    }

    testsupport::SimLibrary sim;
    platform::VirtualClock clock;
    platform::VirtualTimer timer{clock};
    bus::DriverBinding binding{{testsupport::simulatorPath()}};
    bus::GpibCalls calls{binding};
    diagnostics::oocDebugLog log{clock};
    diagnostics::oocErrorQueue errors;
    bus::Gpib gpib{calls, log, errors};
    platform::CountingYield yield;
    bus::GPIBDevice device{gpib, errors, log, clock, yield};
    testsupport::RecordingSink window;
    RecordingView view;
    hp4140::TestConfig config;
    testrun::TestRun run{view, config, {gpib, device, errors, clock, timer, &window}};
    platform::ScopedRecordingMessageBox box;
};

TEST_F(TestRunFixture, AnITestReadsAtItsSampleRateAndEndsAfterItsMaximumTime) {
    ASSERT_TRUE(run.cmdStart_Click());
    EXPECT_EQ(timer.interval(), std::chrono::milliseconds(4000));
    EXPECT_EQ(run.expectation().points, 16);
    EXPECT_FALSE(view.startEnabled);
    EXPECT_FALSE(view.configurationEnabled);
    runToEnd();
    ASSERT_EQ(view.readings.size(), 15u);
    const double start = view.readings.front()->Timerel - 4.0;
    for (std::size_t i = 0; i < view.readings.size(); ++i) {
        EXPECT_EQ(view.readings[i]->Index, static_cast<std::int32_t>(i + 1));
        EXPECT_NEAR(view.readings[i]->Timerel, start + 4.0 * static_cast<double>(i + 1), 0.01);
    }
    // The tick after 60 s ends the test without polling: 15 polls were logged.
    EXPECT_EQ(std::count_if(window.lines.begin(), window.lines.end(),
                            [](const std::string& l) { return l.starts_with("spoll = "); }),
              15);
    EXPECT_FALSE(run.TestRunning());
    EXPECT_TRUE(run.lastTestRanToEnd());
    EXPECT_EQ(view.saves, 1);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_FALSE(view.abortEnabled);
    EXPECT_TRUE(view.configurationEnabled);
}

TEST_F(TestRunFixture, AnIvSweepEndsWhenTheOutputGoesOffWithEveryReadingFiled) {
    sweep(hp4140::function::IV, 0.0f, 5.0f, 0.5f);
    ASSERT_TRUE(run.cmdStart_Click());
    EXPECT_EQ(timer.interval(), std::chrono::milliseconds(250));
    runToEnd();
    EXPECT_FALSE(run.TestRunning());
    EXPECT_EQ(view.readings.size(), 11u);
    EXPECT_EQ(static_cast<long>(view.readings.size()),
              sim.call<long()>("gpibsim_readings_collected"));
    EXPECT_EQ(view.saves, 1);
    EXPECT_EQ(count("W7"), 1); // only the idle sequence's
}

TEST_F(TestRunFixture, AbortWithTheOutputOnStopsItFirst) {
    ASSERT_TRUE(run.cmdStart_Click());
    clock.advance(std::chrono::seconds(9));
    run.cmdAbort_Click();
    EXPECT_FALSE(run.TestRunning());
    EXPECT_FALSE(run.lastTestRanToEnd());
    EXPECT_EQ(count("W7"), 2);
    const Lines all = commands();
    const Lines tail(all.end() - 5, all.end());
    EXPECT_EQ(tail, (Lines{"W7", "W7", "D0", "F1", "T1"}));
    EXPECT_EQ(view.saves, 1);
}

TEST_F(TestRunFixture, AbortWithTheOutputOffLeavesW7ToTheIdleSequence) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "output_off_after", "1");
    ASSERT_TRUE(run.cmdStart_Click());
    clock.advance(std::chrono::seconds(9));
    run.cmdAbort_Click();
    EXPECT_EQ(count("W7"), 1);
}

TEST_F(TestRunFixture, AMissingDriverRefusesTheStartNamingWhereToGetOne) {
    bus::DriverBinding missing({"/nonexistent/libgpib.so.0"});
    bus::GpibCalls missingCalls(missing);
    bus::Gpib missingGpib(missingCalls, log, errors);
    testrun::TestRun refused{view, config, {missingGpib, device, errors, clock, timer, &window}};
    EXPECT_FALSE(refused.cmdStart_Click());
    ASSERT_FALSE(box->shown().empty());
    EXPECT_NE(box->shown().back().text.find("(available at https://linux-gpib.sourceforge.io)"),
              std::string::npos);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_EQ(view.resets, 0);
}

TEST_F(TestRunFixture, NoListenerAtTheAddressRefusesWithTheBusError) {
    config.iGPIBAddress = 17;
    EXPECT_FALSE(run.cmdStart_Click());
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text, "Instrument could not be enabled at GPIB address 17 on board "
                                    "id 0. ENOL <No Listener>; ibsta=&H8100= ERR CMPL");
    EXPECT_TRUE(view.startEnabled);
    EXPECT_TRUE(view.configurationEnabled);
    EXPECT_EQ(view.resets, 0);
}

TEST_F(TestRunFixture, AnInstrumentRefusingRemoteRefusesTheStart) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "refuse_remote", "1");
    EXPECT_FALSE(run.cmdStart_Click());
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text,
              "instrument could not be enabled at GPIB address 16 on board id 0.");
    EXPECT_TRUE(view.startEnabled);
}

TEST_F(TestRunFixture, AZeroStepIsRefusedBeforeAnythingHappens) {
    sweep(hp4140::function::IV, 0.0f, 5.0f, 0.0f);
    EXPECT_FALSE(run.cmdStart_Click());
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("Step Voltage"), std::string::npos);
    EXPECT_EQ(view.logClears, 0);
    EXPECT_EQ(view.resets, 0);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_TRUE(commands().empty());
}

TEST_F(TestRunFixture, AGarbledReplyIsFiledWithZeroValuesAndABadDataLine) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "garble_at", "2");
    sweep(hp4140::function::IV, 0.0f, 2.0f, 0.5f);
    ASSERT_TRUE(run.cmdStart_Click());
    runToEnd();
    ASSERT_EQ(view.readings.size(), 5u);
    EXPECT_EQ(view.readings[1]->Current, 0.0f);
    EXPECT_EQ(view.readings[1]->Voltage, 0.0f);
    EXPECT_EQ(view.readings[1]->Index, 2);
    EXPECT_TRUE(std::any_of(window.lines.begin(), window.lines.end(),
                            [](const std::string& l) { return l.starts_with("Bad Data: "); }));
}

TEST_F(TestRunFixture, AReadTimeoutMidRunDoesNotEndTheTest) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "read_timeout_at", "3");
    ASSERT_TRUE(run.cmdStart_Click());
    runToEnd();
    EXPECT_TRUE(run.lastTestRanToEnd());
    ASSERT_GE(view.readings.size(), 14u);
    EXPECT_EQ(view.readings[2]->Current, 0.0f); // the timed-out read gave blanks
    EXPECT_EQ(view.readings[2]->RawData.find_first_not_of(' '), std::string::npos);
    EXPECT_TRUE(errors.ErrorsExist()); // the bus error went to the queue
}

} // namespace
