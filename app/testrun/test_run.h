#pragma once

#include "expected_points.h"
#include "hp4140/test_config.h"
#include "run_estimate.h"
#include "run_progress.h"
#include "run_report.h"
#include "test_run_view.h"

#include "platform/stop_request.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace bus {
class Gpib;
class GPIBDevice;
} // namespace bus

namespace diagnostics {
class oocErrorQueue;
}

namespace platform {
class Clock;
class LogSink;
class Timer;
} // namespace platform

namespace testrun {

// What became of a press of "Start Test".
enum class StartResult {
    Started,
    SetupRefused,      // the set-up cannot run as it stands
    DataFileRefused,   // the data file could not be written
    Cancelled,         // the user answered a question with Cancel
    InstrumentRefused, // no driver, or the instrument did not answer
};

// Limits of a run that nobody watches: polls failing without a break for longer than the bus
// timeout end it as lost, a run longer than the maximum time ends as overrun (default: three
// times its expected length plus a minute).
struct Unattended {
    double busTimeoutSeconds = 30.0;
    std::optional<double> maxSeconds;
};

// One measurement test from "Start Test" to its end: checks the set-up, the data file, the
// driver and the instrument, downloads the set-up, paces the readings with the timer (the sample
// rate for function I; for the instrument-paced I-V and C-V fast enough to meet every reading)
// and ends on the time limit, the output going off, or abort. A failed poll never ends a test.
// Times come from the clock's monotonic seconds.
class TestRun {
public:
    struct Services {
        bus::Gpib& gpib;
        bus::GPIBDevice& device;
        diagnostics::oocErrorQueue& errorQueue;
        platform::Clock& clock;
        platform::Timer& timer;
        platform::LogSink* logWindow;
        // Asked between the commands of the download: a stop signal has come.
        std::function<bool()> stopRequested = platform::stopRequested;
    };

    // The timer is the test run's for its life: nothing else may start, stop or replace it.
    TestRun(TestRunView& view, Services services);
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;

    // Runs from now on with the limits of an unattended run (a headless one).
    void setUnattended(const Unattended& limits) { unattended_ = limits; }
    bool unattended() const { return unattended_.has_value(); }

    // Starts a test of this set-up, which the run keeps a copy of; every refusal comes before
    // anything changes or is sent, with one message through the view. A press while a test runs
    // does nothing.
    StartResult cmdStart_Click(const hp4140::TestConfig& config);
    void cmdAbort_Click() { stop(RunOutcome::Aborted); }
    // Ends a running test as Abort does, for the reason given.
    void stop(RunOutcome reason);
    void Timer1_Timer();

    bool TestRunning() const { return testRunning_; }
    std::int32_t iMeasIndex() const { return iMeasIndex_; }
    // The set-up of the running test, or of the last one.
    const hp4140::TestConfig& config() const { return config_; }
    const Expectation& expectation() const { return expectation_; }
    const RunEstimate& estimate() const { return estimate_; }
    // The longest the running unattended test may go on, in seconds after its start; none for
    // a watched one.
    std::optional<double> timeLimit() const { return maxSeconds_; }
    // Seconds since the running test started; after a test, how long it ran.
    double elapsedSeconds() const;
    // How far the running test has got, or how the last one ended.
    RunProgress progress() const;
    // How the last test ended and what it gave, and whether its data file was written.
    const RunReport& lastReport() const { return report_; }
    bool lastDataSaved() const { return dataSaved_; }

private:
    std::optional<std::string> setupRefusal() const;
    bool instrumentReady();
    void begin();
    void tick();
    void warnWhenSlow();
    bool unattendedLimitReached();
    void Test_SoftwareTiming();
    void Test_InternalTiming();
    std::optional<std::int16_t> readingStep();
    void fileReading(std::int16_t status);
    void notePoll(bool failed);
    void AbortTest();
    void EndTest(RunOutcome outcome);
    void refuse(const std::string& message);

    TestRunView& view_;
    hp4140::TestConfig config_;
    Services s_;
    std::optional<Unattended> unattended_;
    std::optional<double> maxSeconds_;
    bool testRunning_ = false;
    bool ending_ = false; // EndTest is under way (its save may wait for the user)
    std::int32_t iMeasIndex_ = 0;
    Expectation expectation_;
    RunEstimate estimate_;
    RunPace pace_;
    double fStartTime_ = 0.0;
    double lastElapsed_ = 0.0;
    std::optional<Silence> silence_;
    bool warnedOverrun_ = false;
    RunReport report_;
    bool dataSaved_ = false;
};

} // namespace testrun
