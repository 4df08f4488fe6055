#include "test_run.h"

#include "bus/gpib.h"
#include "bus/gpib_device.h"
#include "diagnostics/error_queue.h"
#include "hp4140/command_set.h"
#include "hp4140/parse_hp4140_data.h"
#include "platform/clock.h"
#include "platform/log_sink.h"
#include "platform/message_box.h"
#include "platform/timer.h"
#include "quenta/numtext/numtext.h"
#include "test_run_view.h"

#include <chrono>

namespace testrun {

namespace {

constexpr int kReadingReady = 1;
constexpr int kAtCurrentLimit = 2;
constexpr int kVoltageOutput = 16;
constexpr std::chrono::milliseconds kInstrumentPollInterval{250};

std::string addressText(std::int16_t address, std::int16_t board) {
    return "at GPIB address " + std::to_string(address) + " on board id " + std::to_string(board);
}

} // namespace

TestRun::TestRun(TestRunView& view, const hp4140::TestConfig& config, Services services)
    : view_(view), config_(config), s_(services) {
    s_.timer.setHandler([this] { Timer1_Timer(); });
}

double TestRun::elapsedSeconds() const {
    return testRunning_ ? s_.clock.elapsedSeconds() - fStartTime_ : lastElapsed_;
}

void TestRun::refuse(const std::string& message) {
    platform::messageBox().show(message, "", platform::mb::OkOnly);
    view_.setStartEnabled(true);
}

bool TestRun::cmdStart_Click() {
    if (const auto refusal = startRefusal(config_)) {
        platform::messageBox().show(*refusal, "", platform::mb::OkOnly | platform::mb::Exclamation);
        return false;
    }
    view_.setStartEnabled(false);
    view_.clearLog();
    iMeasIndex_ = 0;
    view_.closeGraphSettings();
    if (!instrumentReady())
        return false;
    view_.setAbortEnabled(true);
    view_.setConfigurationEnabled(false);
    expectation_ = CalculateExpectedTimePoints(config_, expectation_);
    view_.prepareChart(expectation_);
    view_.resetReadings();
    testRunning_ = true;
    ranToEnd_ = false;
    dataSaved_ = false;
    hp4140::DownloadTestConfig(config_, s_.device, s_.clock);
    s_.device.Send("W1");
    fStartTime_ = s_.clock.elapsedSeconds();
    const auto interval =
        config_.iFunction == hp4140::function::I
            ? std::chrono::milliseconds(numtext::toInt32(config_.fSampleRate * 1000.0))
            : kInstrumentPollInterval;
    s_.timer.setInterval(interval);
    s_.timer.start();
    view_.testProgressed();
    return true;
}

// The driver, the board and the instrument, in that order; a refusal leaves everything but the
// Start button as it was.
bool TestRun::instrumentReady() {
    if (!s_.gpib.GPIBDriverPresent()) {
        refuse(std::string("You must install the National Instruments drivers before running this "
                           "software. Please install the drivers (available at ") +
               kDriverDownloadAddress + ") and then relaunch Tarvix.");
        return false;
    }
    const std::int16_t board = config_.iBoardID;
    const std::int16_t address = config_.iGPIBAddress;
    if (s_.gpib.GPIBBoardClear(board)) {
        s_.gpib.ConfigureBoard(board);
        s_.device.setDEMO(false);
    } else {
        s_.errorQueue.FlushErrors();
        s_.device.setDEMO(true);
    }
    s_.device.setGPIBAddress(address);
    s_.device.setBoardID(board);
    s_.gpib.GPIBSPOLL(s_.device.BoardID(), address);
    if (s_.gpib.GPIBErrorCode() != -1) {
        refuse("Instrument could not be enabled " + addressText(address, s_.device.BoardID()) +
               ". " + s_.gpib.GPIBStatusText());
        return false;
    }
    if (!s_.gpib.GPIBEnableRemote(s_.device.BoardID(), address)) {
        refuse("instrument could not be enabled " + addressText(address, s_.device.BoardID()) +
               ".");
        return false;
    }
    s_.gpib.GPIBSPOLL(s_.device.BoardID(), address);
    return true;
}

void TestRun::Timer1_Timer() {
    if (config_.iFunction != hp4140::function::I) {
        Test_InternalTiming();
        return;
    }
    if (elapsedSeconds() > static_cast<double>(config_.fMaxSampleTime))
        EndTest(true);
    else
        Test_SoftwareTiming();
}

void TestRun::Test_SoftwareTiming() {
    readingStep();
    view_.testProgressed();
}

void TestRun::Test_InternalTiming() {
    const std::int16_t status = readingStep();
    if (!(status & kVoltageOutput))
        EndTest(true);
    else
        view_.testProgressed();
}

std::int16_t TestRun::readingStep() {
    const std::int16_t status = s_.device.SPOLL();
    if (s_.logWindow)
        s_.logWindow->SendString("spoll = " + std::to_string(status));
    if (status & kReadingReady) {
        ++iMeasIndex_;
        auto reading = std::make_unique<HP4140DataType>();
        reading->RawData = s_.device.Receive();
        reading->AtCurrentLimit = (status & kAtCurrentLimit) != 0;
        reading->Timerel = static_cast<float>(elapsedSeconds());
        reading->Time = s_.clock.wallTime();
        reading->Index = iMeasIndex_;
        ParseHP4140Data(*reading, s_.logWindow);
        view_.fileReading(std::move(reading));
    }
    return status;
}

void TestRun::cmdAbort_Click() {
    if (!testRunning_)
        return;
    AbortTest();
    EndTest(false);
}

void TestRun::AbortTest() {
    if (s_.device.SPOLL() & kVoltageOutput)
        s_.device.Send("W7");
    s_.device.SPOLL();
}

void TestRun::EndTest(bool ranToEnd) {
    s_.timer.stop();
    lastElapsed_ = elapsedSeconds();
    hp4140::SetInstrumentIdle(config_, s_.device, s_.gpib);
    dataSaved_ = view_.saveData();
    ranToEnd_ = ranToEnd;
    testRunning_ = false;
    view_.setStartEnabled(true);
    view_.setAbortEnabled(false);
    view_.setConfigurationEnabled(true);
    view_.testProgressed();
}

} // namespace testrun
