// A whole test run, window-free, against the simulated instrument in virtual time.

#include "app/runtime/simulator_time.h"
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
constexpr auto Started = testrun::StartResult::Started;

class RecordingView : public testrun::TestRunView {
public:
    void tell(const std::string& text, int style) override {
        platform::messageBox().show(text, "", style);
    }
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
    bool saveData(const testrun::RunReport&) override {
        ++saves;
        return true;
    }
    void showSilence(const std::optional<testrun::Silence>& s) override { silence = s; }
    void warnOverrun(double) override { ++overrunWarnings; }

    bool startEnabled = true;
    bool abortEnabled = false;
    bool configurationEnabled = true;
    int logClears = 0;
    int resets = 0;
    int saves = 0;
    int overrunWarnings = 0;
    std::optional<testrun::Silence> silence;
    testrun::Expectation prepared;
    std::vector<std::unique_ptr<HP4140DataType>> readings;
};

class TestRunFixture : public testing::Test {
protected:
    static constexpr std::int16_t kAddress = 16;

    TestRunFixture() {
        config.iGPIBAddress = kAddress;
        config.iCurrentLimitVA = 1;
        config.iCurrentLimitVB = 1;
        config.fSampleRate = 4.0f;
        config.fMaxSampleTime = 60.0f;
    }

    void sweep(hp4140::Function function, float start, float stop, float step) {
        config.iFunction = function;
        config.iRamp = hp4140::Ramp::SweepUp;
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
    runtime::SimulatorTime simulatorTime{calls, clock};
    diagnostics::oocDebugLog log{clock};
    diagnostics::oocErrorQueue errors;
    bus::Gpib gpib{calls, log, errors};
    platform::CountingYield yield;
    bus::GPIBDevice device{gpib, errors, log, clock, yield};
    testsupport::RecordingSink window;
    RecordingView view;
    hp4140::TestConfig config;
    testrun::TestRun run{view, {gpib, device, errors, clock, timer, &window}};
    platform::ScopedRecordingMessageBox box;
};

TEST_F(TestRunFixture, AnITestReadsAtItsSampleRateAndEndsAfterItsMaximumTime) {
    ASSERT_EQ(run.cmdStart_Click(config), Started);
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
    EXPECT_EQ(run.lastReport().outcome, testrun::RunOutcome::RanToEnd);
    EXPECT_EQ(view.saves, 1);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_FALSE(view.abortEnabled);
    EXPECT_TRUE(view.configurationEnabled);
}

TEST_F(TestRunFixture, AnIvSweepEndsWhenTheOutputGoesOffWithEveryReadingFiled) {
    sweep(hp4140::Function::IV, 0.0f, 5.0f, 0.5f);
    ASSERT_EQ(run.cmdStart_Click(config), Started);
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
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    clock.advance(std::chrono::seconds(9));
    run.cmdAbort_Click();
    EXPECT_FALSE(run.TestRunning());
    EXPECT_EQ(run.lastReport().outcome, testrun::RunOutcome::Aborted);
    EXPECT_EQ(count("W7"), 2);
    const Lines all = commands();
    const Lines tail(all.end() - 5, all.end());
    EXPECT_EQ(tail, (Lines{"W7", "W7", "D0", "F1", "T1"}));
    EXPECT_EQ(view.saves, 1);
}

TEST_F(TestRunFixture, AbortWithTheOutputOffLeavesW7ToTheIdleSequence) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "output_off_after", "1");
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    clock.advance(std::chrono::seconds(9));
    run.cmdAbort_Click();
    EXPECT_EQ(count("W7"), 1);
}

TEST_F(TestRunFixture, AMissingDriverRefusesTheStartNamingWhereToGetOne) {
    bus::DriverBinding missing({"/nonexistent/libgpib.so.0"});
    bus::GpibCalls missingCalls(missing);
    bus::Gpib missingGpib(missingCalls, log, errors);
    testrun::TestRun refused{view, {missingGpib, device, errors, clock, timer, &window}};
    EXPECT_EQ(refused.cmdStart_Click(config), testrun::StartResult::InstrumentRefused);
    ASSERT_FALSE(box->shown().empty());
    EXPECT_NE(box->shown().back().text.find("(available at https://linux-gpib.sourceforge.io)"),
              std::string::npos);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_EQ(view.resets, 0);
}

TEST_F(TestRunFixture, NoListenerAtTheAddressRefusesWithTheBusError) {
    config.iGPIBAddress = 17;
    EXPECT_EQ(run.cmdStart_Click(config), testrun::StartResult::InstrumentRefused);
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text, "Instrument could not be enabled at GPIB address 17 on board "
                                    "id 0. ENOL <No Listener>; ibsta=&H8100= ERR CMPL");
    EXPECT_TRUE(view.startEnabled);
    EXPECT_TRUE(view.configurationEnabled);
    EXPECT_EQ(view.resets, 0);
}

// linux-gpib says only EDVR when its board is not configured; the user is told what to check.
TEST_F(TestRunFixture, ABoardThatIsNotSetUpIsRefusedWithWhatToCheck) {
    sim.call<int(int)>("gpibsim_set_register_result", 2);
    config.iBoardID = 0;
    EXPECT_EQ(run.cmdStart_Click(config), testrun::StartResult::InstrumentRefused);
    ASSERT_EQ(box->shown().size(), 1u);
    const std::string& text = box->shown()[0].text;
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "Instrument could not be enabled at GPIB address 16 "
              "on board id 0. EDVR <DOS Error>; ibsta=&H8000= ERR");
    EXPECT_NE(text.find("\nCheck that board id 0 has an entry in /etc/gpib.conf (or in the file "
                        "IB_CONFIG names), that gpib_config has been run"),
              std::string::npos);
}

TEST_F(TestRunFixture, AnInstrumentRefusingRemoteRefusesTheStart) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "refuse_remote", "1");
    EXPECT_EQ(run.cmdStart_Click(config), testrun::StartResult::InstrumentRefused);
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text,
              "instrument could not be enabled at GPIB address 16 on board id 0.");
    EXPECT_TRUE(view.startEnabled);
}

TEST_F(TestRunFixture, AZeroStepIsRefusedBeforeAnythingHappens) {
    sweep(hp4140::Function::IV, 0.0f, 5.0f, 0.0f);
    EXPECT_EQ(run.cmdStart_Click(config), testrun::StartResult::SetupRefused);
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_NE(box->shown()[0].text.find("Step Voltage"), std::string::npos);
    EXPECT_EQ(view.logClears, 0);
    EXPECT_EQ(view.resets, 0);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_TRUE(commands().empty());
}

TEST_F(TestRunFixture, AGarbledReplyIsFiledWithZeroValuesAndABadDataLine) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", "garble_at", "2");
    sweep(hp4140::Function::IV, 0.0f, 2.0f, 0.5f);
    ASSERT_EQ(run.cmdStart_Click(config), Started);
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
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    runToEnd();
    EXPECT_EQ(run.lastReport().outcome, testrun::RunOutcome::RanToEnd);
    ASSERT_GE(view.readings.size(), 14u);
    EXPECT_EQ(view.readings[2]->Current, 0.0f); // the timed-out read gave blanks
    EXPECT_EQ(view.readings[2]->RawData.find_first_not_of(' '), std::string::npos);
    EXPECT_TRUE(errors.ErrorsExist()); // the bus error went to the queue
}

} // namespace

namespace {

void setFault(const testsupport::SimLibrary& sim, const char* name, const char* value) {
    sim.call<int(const char*, const char*)>("gpibsim_set_fault", name, value);
}

class HonestRun : public TestRunFixture {
protected:
    void setRamp(hp4140::Function function, hp4140::Ramp iRamp, float step, float delay,
                 float rate) {
        sweep(function, 0.0f, 1.0f, step);
        config.iRamp = iRamp;
        config.fStepDelay = delay;
        config.fRampRate = rate;
    }
};

// Every ramp on the default instrument, fast ones included: each reading is met by a poll before
// the next one takes its place, the estimate holds, and the run ends clean.
TEST_F(HonestRun, EveryRampEndsCleanWithTheReadingsItsEstimateNames) {
    using hp4140::Function;
    using hp4140::Ramp;
    struct Case {
        Function function;
        Ramp ramp;
        float step, delay, rate;
        std::int32_t readings;
    };
    const Case cases[] = {
        {Function::IV, Ramp::SweepUp, 0.05f, 0, 1.0f, 21},
        {Function::IV, Ramp::SweepUpDown, 0.1f, 0, 0.5f, 21},
        {Function::IV, Ramp::StairUp, 0.05f, 0.01f, 1, 21},
        {Function::IV, Ramp::StairUpDown, 0.1f, 0.1f, 1, 21},
        {Function::CV, Ramp::SweepUpDown, 0.1f, 0, 0.2f, 21},
        {Function::CV, Ramp::StairUp, 0.25f, 1, 0.1f, 5},
    };
    for (const Case& c : cases) {
        setRamp(c.function, c.ramp, c.step, c.delay, c.rate);
        ASSERT_EQ(run.cmdStart_Click(config), Started);
        EXPECT_EQ(run.estimate().readings, c.readings);
        runToEnd();
        const testrun::RunReport& report = run.lastReport();
        EXPECT_EQ(report.filed, c.readings)
            << hp4140::optionIndex(c.function) << hp4140::optionIndex(c.ramp);
        EXPECT_FALSE(report.incomplete()) << report.summary();
        EXPECT_NEAR(run.elapsedSeconds(), *run.estimate().seconds,
                    0.1 * *run.estimate().seconds + 0.3);
    }
    EXPECT_EQ(sim.call<long()>("gpibsim_lost_readings"), 0);
}

TEST_F(HonestRun, ReadingsThatNeverCameOrCouldNotBeReadAreCounted) {
    setFault(sim, "output_off_after", "5");
    setFault(sim, "garble_at", "2");
    sweep(hp4140::Function::IV, 0.0f, 10.0f, 1.0f);
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    runToEnd();
    EXPECT_EQ(run.lastReport().summary(), "ran to its end; 6 of 11 readings missing, 1 unreadable");
}

// The instrument goes away after 7 readings: the window's run goes on, says so, and counts.
TEST_F(HonestRun, AFailedPollNeverEndsATestAndIsShownUntilAPollSucceeds) {
    setFault(sim, "no_listener_after", "7");
    sweep(hp4140::Function::IV, 0.0f, 10.0f, 1.0f);
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    clock.advance(std::chrono::minutes(10));
    EXPECT_TRUE(run.TestRunning());
    EXPECT_EQ(view.readings.size(), 7u);
    ASSERT_TRUE(view.silence);
    EXPECT_GT(view.silence->polls, 1000);
    EXPECT_EQ(view.overrunWarnings, 1); // twice the 13.1 s expected, once

    // Back again, the instrument hands over the last reading, which it kept, and the run ends.
    setFault(sim, "no_listener_after", "0");
    clock.advance(std::chrono::seconds(1));
    EXPECT_FALSE(view.silence);
    EXPECT_FALSE(run.TestRunning());
    EXPECT_EQ(view.readings.back()->Voltage, 10.0f);
    const testrun::RunReport& report = run.lastReport();
    EXPECT_EQ(report.summary(), "ran to its end; 3 of 11 readings missing, " +
                                    std::to_string(report.failedPolls) + " polls failed");
}

TEST_F(HonestRun, AnUnattendedRunEndsAsLostOnceTheBusTimeoutHasPassed) {
    setFault(sim, "no_listener_after", "7");
    sweep(hp4140::Function::IV, 0.0f, 10.0f, 1.0f);
    run.setUnattended({.busTimeoutSeconds = 5.0, .maxSeconds = std::nullopt});
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    runToEnd();
    EXPECT_EQ(run.lastReport().outcome, testrun::RunOutcome::Lost);
    EXPECT_EQ(view.readings.size(), 7u);
    EXPECT_EQ(view.saves, 1);
    EXPECT_NEAR(run.elapsedSeconds(), 7.0 + 5.0, 0.5); // the seventh reading at 6 s
    EXPECT_NE(box->shown().back().text.find("lost"), std::string::npos);
}

// Every read times out: in a dry run the program's time follows each 3 s timeout, and the run
// ends at three times its expected length plus a minute.
TEST_F(HonestRun, AnUnattendedRunThatGoesOnEndsAsOverrun) {
    setFault(sim, "read_timeout_every", "1");
    sweep(hp4140::Function::IV, 0.0f, 10.0f, 1.0f);
    run.setUnattended({});
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    runToEnd();
    EXPECT_EQ(run.lastReport().outcome, testrun::RunOutcome::Overrun);
    const double limit = 3.0 * *run.estimate().seconds + 60.0;
    EXPECT_NEAR(run.elapsedSeconds(), limit, 3.5);
    EXPECT_EQ(run.lastReport().unreadable, run.lastReport().filed);
    EXPECT_NEAR(sim.call<double()>("gpibsim_time"), clock.elapsedSeconds(), 1e-6);
}

TEST_F(HonestRun, AnUnattendedConstantRampNeedsATimeLimit) {
    sweep(hp4140::Function::IV, 0.0f, 1.0f, 0.1f);
    config.iRamp = hp4140::Ramp::Constant;
    run.setUnattended({});
    EXPECT_EQ(run.cmdStart_Click(config), testrun::StartResult::SetupRefused);
    EXPECT_TRUE(commands().empty());
    run.setUnattended({.busTimeoutSeconds = 30.0, .maxSeconds = 20.0});
    ASSERT_EQ(run.cmdStart_Click(config), Started);
    runToEnd();
    EXPECT_EQ(run.lastReport().outcome, testrun::RunOutcome::Overrun);
    EXPECT_NEAR(run.elapsedSeconds(), 20.0, 0.3);
}

} // namespace
