#pragma once

#include "expected_points.h"
#include "hp4140/test_config.h"

#include <cstdint>
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

class TestRunView;

// The address of the GPIB driver that the start names when no driver library can be bound.
inline constexpr const char* kDriverDownloadAddress = "https://linux-gpib.sourceforge.io";

// One measurement test from "Start Test" to its end: checks the driver and the instrument,
// downloads the set-up, paces the readings with the timer (the sample rate for function I, every
// 250 ms for the instrument-paced I-V and C-V) and ends on the time limit, the output going off,
// or abort. Times come from the clock's monotonic seconds.
class TestRun {
public:
    struct Services {
        bus::Gpib& gpib;
        bus::GPIBDevice& device;
        diagnostics::oocErrorQueue& errorQueue;
        platform::Clock& clock;
        platform::Timer& timer;
        platform::LogSink* logWindow;
    };

    TestRun(TestRunView& view, const hp4140::TestConfig& config, Services services);
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;

    // Starts a test with the settings already copied into the configuration; refuses a set-up
    // that cannot run before anything changes. True when the test is running.
    bool cmdStart_Click();
    void cmdAbort_Click();
    void Timer1_Timer();

    bool TestRunning() const { return testRunning_; }
    std::int32_t iMeasIndex() const { return iMeasIndex_; }
    const Expectation& expectation() const { return expectation_; }
    // Seconds since the running test started; after a test, how long it ran.
    double elapsedSeconds() const;
    // How the last test ended: on its own (time limit or output off) rather than by abort, and
    // whether its data file was written.
    bool lastTestRanToEnd() const { return ranToEnd_; }
    bool lastDataSaved() const { return dataSaved_; }

private:
    bool instrumentReady();
    void Test_SoftwareTiming();
    void Test_InternalTiming();
    std::int16_t readingStep();
    void AbortTest();
    void EndTest(bool ranToEnd);
    void refuse(const std::string& message);

    TestRunView& view_;
    const hp4140::TestConfig& config_;
    Services s_;
    bool testRunning_ = false;
    std::int32_t iMeasIndex_ = 0;
    Expectation expectation_;
    double fStartTime_ = 0.0;
    double lastElapsed_ = 0.0;
    bool ranToEnd_ = false;
    bool dataSaved_ = false;
};

} // namespace testrun
