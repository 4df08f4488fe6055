#include "test_run.h"

#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "diagnostics/error_queue.h"
#include "hp4140/command_set.h"
#include "hp4140/parse_hp4140_data.h"
#include "hp4140/status_byte.h"
#include "instrument_ready.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/log_sink.h"
#include "platform/message_box.h"
#include "platform/timer.h"
#include "quenta/numtext/numtext.h"
#include "run_texts.h"

namespace testrun {

namespace {

namespace bits = hp4140::status;

// An unattended run may go on for three times its expected length and a minute more, so a long
// hold or step delay is never cut short.
std::optional<double> defaultMaxSeconds(const RunEstimate& estimate) {
    if (!estimate.seconds)
        return std::nullopt;
    return 3.0 * *estimate.seconds + 60.0;
}

} // namespace

TestRun::TestRun(TestRunView& view, Services services) : view_(view), s_(services) {
    s_.timer.setHandler([this] { Timer1_Timer(); });
}

// A run that ran to its end shows its time; one cut short says how.
RunProgress TestRun::progress() const {
    if (testRunning_ || report_.outcome == RunOutcome::RanToEnd)
        return pace_.progress(elapsedSeconds(), !testRunning_);
    return pace_.progress(elapsedSeconds(), true, cutShortText(report_.outcome));
}

double TestRun::elapsedSeconds() const {
    return testRunning_ && !ending_ ? s_.clock.elapsedSeconds() - fStartTime_ : lastElapsed_;
}

void TestRun::refuse(const std::string& message) {
    view_.tell(message, platform::mb::OkOnly);
    view_.setStartEnabled(true);
}

std::optional<std::string> TestRun::setupRefusal() const {
    if (auto refusal = startRefusal(config_))
        return refusal;
    if (auto refusal = noReadingRefusal(config_))
        return refusal;
    if (unattended_ && !unattended_->maxSeconds && !EstimateRun(config_).seconds)
        return kOpenEndedRefusal;
    return std::nullopt;
}

StartResult TestRun::cmdStart_Click(const hp4140::TestConfig& config) {
    if (testRunning_)
        return StartResult::Cancelled;
    config_ = config;
    if (const auto refusal = setupRefusal()) {
        view_.tell(*refusal, platform::mb::OkOnly | platform::mb::Exclamation);
        return StartResult::SetupRefused;
    }
    if (const auto refusal = view_.dataFileRefusal()) {
        view_.tell(*refusal, platform::mb::OkOnly | platform::mb::Exclamation);
        return StartResult::DataFileRefused;
    }
    if (!view_.confirmStart() || s_.stopRequested())
        return StartResult::Cancelled;
    if (const auto refusal = view_.claimJournal()) {
        view_.tell(*refusal, platform::mb::OkOnly | platform::mb::Exclamation);
        return StartResult::DataFileRefused;
    }
    view_.setStartEnabled(false);
    view_.clearLog();
    iMeasIndex_ = 0;
    view_.closeGraphSettings();
    if (!instrumentReady()) {
        view_.releaseJournal();
        return StartResult::InstrumentRefused;
    }
    begin();
    return StartResult::Started;
}

// The driver, the board and the instrument, in that order; a refusal leaves everything but the
// Start button as it was.
bool TestRun::instrumentReady() {
    const auto refusal =
        readyInstrument(s_.gpib, s_.device, s_.errorQueue, config_.iBoardID, config_.iGPIBAddress);
    if (refusal)
        refuse(*refusal);
    return !refusal;
}

void TestRun::begin() {
    view_.setAbortEnabled(true);
    view_.setConfigurationEnabled(false);
    expectation_ = CalculateExpectedTimePoints(config_, expectation_);
    estimate_ = EstimateRun(config_);
    pace_ = RunPace(estimate_);
    maxSeconds_ = unattended_
                      ? unattended_->maxSeconds.value_or(defaultMaxSeconds(estimate_).value_or(0.0))
                      : std::optional<double>();
    view_.prepareChart(expectation_);
    view_.resetReadings();
    testRunning_ = true;
    report_ = {};
    dataSaved_ = false;
    silence_.reset();
    warnedOverrun_ = false;
    view_.showSilence(std::nullopt);
    if (const auto note = fastPaceNote(estimate_))
        view_.noteAtStart(*note);
    // Told to stop while the set-up goes over the bus, the program starts nothing: no W1.
    if (!hp4140::DownloadTestConfig(config_, s_.device, s_.clock, s_.stopRequested)) {
        EndTest(RunOutcome::Stopped);
        return;
    }
    view_.settleBeforeStart();
    s_.device.Send("W1");
    fStartTime_ = s_.clock.elapsedSeconds();
    s_.timer.setInterval(estimate_.pollInterval);
    s_.timer.start();
    view_.testProgressed();
    // A stair or sweep may offer its first reading at once, and on a busy machine the first tick
    // could come after the second has taken its place. This poll never ends the test: the
    // instrument may not have switched its output on yet.
    if (config_.iFunction != hp4140::Function::I) {
        readingStep();
        view_.testProgressed();
    }
}

// An error that escapes a tick goes to the error queue and the test goes on: only its end
// conditions end a test.
void TestRun::Timer1_Timer() {
    try {
        tick();
    } catch (const platform::AppError& error) {
        s_.errorQueue.AddError(error, "Error occurred in Timer1_Timer");
    }
}

void TestRun::tick() {
    if (!testRunning_ || ending_)
        return;
    warnWhenSlow();
    if (unattendedLimitReached())
        return;
    if (config_.iFunction != hp4140::Function::I) {
        Test_InternalTiming();
        return;
    }
    if (elapsedSeconds() > static_cast<double>(config_.fMaxSampleTime))
        EndTest(RunOutcome::RanToEnd);
    else
        Test_SoftwareTiming();
}

// A watched run is never stopped by the program; the user is told once it is running late.
void TestRun::warnWhenSlow() {
    if (estimate_.seconds && !warnedOverrun_ && elapsedSeconds() > 2.0 * *estimate_.seconds) {
        warnedOverrun_ = true;
        view_.warnOverrun(*estimate_.seconds);
    }
}

// Nobody watches an unattended run, so it must end by itself: when the instrument has been
// silent too long, or the run has gone on too long.
bool TestRun::unattendedLimitReached() {
    if (!unattended_)
        return false;
    const double elapsed = elapsedSeconds();
    if (silence_ && elapsed - silence_->sinceElapsed > unattended_->busTimeoutSeconds) {
        const auto why = s_.gpib.boardSetupHint(s_.device.BoardID());
        view_.tell(lostText(*silence_, unattended_->busTimeoutSeconds) +
                       (why ? "\n" + *why : std::string()),
                   platform::mb::Critical);
        stop(RunOutcome::Lost);
        return true;
    }
    if (maxSeconds_ && elapsed > *maxSeconds_) {
        view_.tell(overrunText(*maxSeconds_), platform::mb::Critical);
        stop(RunOutcome::Overrun);
        return true;
    }
    return false;
}

// The output holds its voltage until W7: a poll that finds it off means the instrument has
// stopped the test itself, and no reading will come.
void TestRun::Test_SoftwareTiming() {
    const std::optional<std::int16_t> status = readingStep();
    if (status && !bits::has(*status, bits::kVoltageOutput)) {
        report_.outputOffAfter = report_.filed;
        EndTest(RunOutcome::RanToEnd);
    } else {
        view_.testProgressed();
    }
}

// A poll that failed says nothing about the output, so only a poll that reached the instrument
// can end the test.
void TestRun::Test_InternalTiming() {
    const std::optional<std::int16_t> status = readingStep();
    if (status && !bits::has(*status, bits::kVoltageOutput))
        EndTest(RunOutcome::RanToEnd);
    else
        view_.testProgressed();
}

std::optional<std::int16_t> TestRun::readingStep() {
    const std::int16_t status = s_.device.SPOLL();
    const bool failed = s_.device.lastPollFailed();
    notePoll(failed);
    if (failed)
        return std::nullopt;
    if (s_.logWindow)
        s_.logWindow->SendString("spoll = " + std::to_string(status));
    if (bits::has(status, bits::kReadingReady))
        fileReading(status);
    return status;
}

void TestRun::fileReading(std::int16_t status) {
    ++iMeasIndex_;
    auto reading = std::make_unique<HP4140DataType>();
    reading->RawData = s_.device.Receive();
    reading->AtCurrentLimit = bits::has(status, bits::kAtCurrentLimit);
    const double at = elapsedSeconds();
    pace_.noteReading(at);
    reading->Timerel = static_cast<float>(at);
    reading->Time = s_.clock.wallTime();
    reading->Index = iMeasIndex_;
    if (!ParseHP4140Data(*reading, s_.logWindow))
        ++report_.unreadable;
    ++report_.filed;
    view_.fileReading(std::move(reading));
}

void TestRun::notePoll(bool failed) {
    if (!failed) {
        if (silence_) {
            silence_.reset();
            view_.showSilence(std::nullopt);
        }
        return;
    }
    ++report_.failedPolls;
    if (!silence_)
        silence_ = Silence{s_.clock.wallTime(), elapsedSeconds(), 0};
    ++silence_->polls;
    view_.showSilence(silence_);
}

void TestRun::stop(RunOutcome reason) {
    if (!testRunning_ || ending_)
        return;
    AbortTest();
    EndTest(reason);
}

// A poll that failed cannot tell whether the output is on, so "W7" goes out then as well.
void TestRun::AbortTest() {
    const std::int16_t status = s_.device.SPOLL();
    if (s_.device.lastPollFailed() || bits::has(status, bits::kVoltageOutput))
        s_.device.Send("W7");
    s_.device.SPOLL();
}

// The readings are written whatever happens on the bus on the way.
void TestRun::EndTest(RunOutcome outcome) {
    s_.timer.stop();
    lastElapsed_ = elapsedSeconds();
    ending_ = true;
    try {
        hp4140::SetInstrumentIdle(config_, s_.device, s_.gpib);
    } catch (const platform::AppError& error) {
        s_.errorQueue.AddError(error, "Error occurred in EndTest");
    }
    report_.outcome = outcome;
    if (outcome == RunOutcome::RanToEnd)
        report_.expected = estimate_.readings ? estimate_.readings : estimate_.fewestReadings;
    dataSaved_ = view_.saveData(report_);
    testRunning_ = false;
    ending_ = false;
    view_.setStartEnabled(true);
    view_.setAbortEnabled(false);
    view_.setConfigurationEnabled(true);
    view_.reportRun(report_);
    view_.testProgressed();
}

} // namespace testrun
