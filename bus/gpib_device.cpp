#include "bus/gpib_device.h"

#include "diagnostics/debug_log.h"
#include "diagnostics/error_queue.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/yield.h"
#include "quenta/numtext/numtext.h"
#include "settings/form_utility.h"

#include <algorithm>
#include <chrono>
#include <fstream>

namespace bus {

namespace {

constexpr int kEventStatus = 0x20;
constexpr float kSrqWaitLimit = 1200.0f;
constexpr float kScriptSrqWait = 20.0f;
constexpr int kDelayPauseMs = 100;

std::string blanks(std::optional<std::int32_t> maxLength) {
    const std::int32_t length = maxLength.value_or(GPIBDevice::kDefaultReplyLength);
    return std::string(static_cast<std::size_t>(std::max(length, 0)), ' ');
}

} // namespace

GPIBDevice::GPIBDevice(Gpib& gpib, diagnostics::oocErrorQueue& appErrorQueue,
                       diagnostics::oocDebugLog& debugLog, platform::Clock& clock,
                       platform::Yield& yield)
    : gpib_(gpib), appErrorQueue_(appErrorQueue), debugLog_(debugLog), clock_(clock), yield_(yield),
      errorQueue_(&ownErrorQueue_) {}

std::string GPIBDevice::SaveString() const {
    if (idn_.empty())
        return instrumentId_ + ":" + numtext::formatPicture(board_, "0") + "," +
               numtext::formatPicture(address_, "00");
    return instrumentId_ + ":" + idn_;
}

bool GPIBDevice::Send(const std::string& command) {
    if (demo_)
        return true;
    appErrorQueue_.AddString(command);
    return gpib_.GPIBWrite(board_, address_, command);
}

std::string GPIBDevice::Receive(std::optional<std::int32_t> maxLength) {
    if (demo_)
        return {};
    std::string buffer = blanks(maxLength);
    gpib_.GPIBRead(board_, address_, buffer);
    SRQ(); // only puts the SRQ state in the bus log
    return buffer;
}

std::string GPIBDevice::SendAndReceive(const std::string& command,
                                       std::optional<std::int32_t> maxLength) {
    if (demo_)
        return {};
    Send(command);
    return Receive(maxLength);
}

std::string GPIBDevice::SendAndReceiveDelay(const std::string& command, std::int16_t delayMs,
                                            std::optional<std::int32_t> maxLength) {
    if (demo_)
        return {};
    Send(command);
    const int pauses = std::max(1, (delayMs + kDelayPauseMs - 1) / kDelayPauseMs);
    for (int i = 0; i < pauses; ++i) {
        yield_.yield();
        clock_.sleep(std::chrono::milliseconds(kDelayPauseMs));
    }
    return Receive(maxLength);
}

void GPIBDevice::RunFileScript(const std::string& path) {
    if (!FormUtility::FileExists(path))
        return;
    std::ifstream script(path);
    if (!script) {
        errorQueue_->AddError(platform::fileError(errno, path, "GPIBDevice.RunFileScript"), "");
        return;
    }
    std::string line;
    while (std::getline(script, line)) {
        try {
            runScriptLine(std::move(line));
        } catch (const platform::AppError& error) {
            errorQueue_->AddError(error, "");
        }
        yield_.yield();
    }
}

void GPIBDevice::runScriptLine(std::string line) {
    std::erase(line, '\t');
    if (!line.empty() && line.back() == '\r')
        line.pop_back(); // a script saved with CR LF line ends
    if (const auto comment = line.find('#'); comment != std::string::npos)
        line.resize(comment);
    if (line.starts_with("&&")) {
        LowLevelCommandSend(line.substr(2));
        return;
    }
    if (line.empty())
        return;
    Send(line);
    if (waitForSRQ_) {
        float wait = kScriptSrqWait;
        WaitForSRQ(wait);
        SPOLL();
        Receive(kDefaultReplyLength);
    }
    SPOLL();
}

void GPIBDevice::LowLevelCommandSend(const std::string& sLine) {
    if (demo_)
        return;
    if (sLine == "SDC")
        SDC();
}

void GPIBDevice::SDC() {
    debugLog_.AddEntry("GPIB" + std::to_string(address_) + "_devclear");
    gpib_.GPIBDeviceClear(board_, address_);
}

float GPIBDevice::WaitForOPC(float fMaxWaitTime, bool EnableDoEvents) {
    if (demo_)
        return 0.0f;
    Send("*opc?");
    const float waited = WaitForMAV(fMaxWaitTime, EnableDoEvents);
    const std::string prefix = "GPIB" + std::to_string(address_) + "_WaitForOPC... ";
    if (waited >= 0) {
        Receive(kDefaultReplyLength);
        debugLog_.AddEntry(prefix + numtext::formatGeneralSingle(waited) + " seconds");
        return waited;
    }
    debugLog_.AddEntry(prefix + "FAIL after " + numtext::formatGeneralSingle(fMaxWaitTime) +
                       " seconds");
    return -1.0f;
}

float GPIBDevice::WaitForESB(float fMaxWaitTime, bool EnableDoEvents) {
    if (demo_)
        return 0.0f;
    return pollUntil([this] { return (SPOLL() & kEventStatus) != 0; }, fMaxWaitTime, 50,
                     EnableDoEvents, "_WaitForESB... ");
}

// A poll that did not reach the instrument returns 0 like a status with no bit set, so callers
// that must tell them apart ask lastPollFailed(); the displays keep the last real status.
std::int16_t GPIBDevice::SPOLL() {
    lastPollFailed_ = true;
    if (demo_)
        return 0;
    std::int16_t status = 0;
    try {
        if (!Gpib::GPIBAddressValid(board_, address_))
            return 0;
        status = gpib_.GPIBSPOLL(board_, address_);
        if (gpib_.GPIBErrorCode() != -1)
            return 0;
        lastPollFailed_ = false;
        if (observer_)
            observer_->SetSpoll(status);
    } catch (const platform::AppError& error) {
        errorQueue_->AddError(error, "Error occurred in GPIBdevice.SPOLL");
    }
    return status;
}

bool GPIBDevice::MAV() {
    return (SPOLL() & mavMask_) > 0;
}

float GPIBDevice::WaitForMAV(float fMaxWaitTime, bool EnableDoEvents) {
    if (demo_)
        return 0.0f;
    return pollUntil([this] { return MAV(); }, fMaxWaitTime, 50, EnableDoEvents, "_WaitForMAV... ");
}

float GPIBDevice::WaitForSRQ(float& fMaxWaitTime) {
    if (demo_)
        return 0.0f;
    fMaxWaitTime = std::min(fMaxWaitTime, kSrqWaitLimit);
    return pollUntil([this] { return SRQ(); }, fMaxWaitTime, 10, false, "_WaitForSRQ... ");
}

bool GPIBDevice::SRQ() {
    if (demo_)
        return false;
    return gpib_.GPIBSRQ(board_, address_);
}

template <typename Condition>
float GPIBDevice::pollUntil(Condition condition, float maxWait, int pauseMs, bool yieldEachPoll,
                            const char* waitName) {
    const float start = static_cast<float>(clock_.elapsedSeconds());
    while (!condition()) {
        if (yieldEachPoll)
            yield_.yield();
        const float elapsed = static_cast<float>(clock_.elapsedSeconds()) - start;
        // Polls cost no time on a virtual clock; ">=" still polls exactly once for a zero wait.
        if (elapsed >= maxWait) {
            logWait(std::string(waitName) + "FAIL after " +
                    numtext::formatPicture(maxWait, "###0.000") + " seconds");
            return -1.0f;
        }
        clock_.sleep(std::chrono::milliseconds(pauseMs));
    }
    const float elapsed = static_cast<float>(clock_.elapsedSeconds()) - start;
    logWait(std::string(waitName) + numtext::formatPicture(elapsed, "###0.000") + " seconds");
    return elapsed;
}

void GPIBDevice::logWait(const std::string& text) {
    debugLog_.AddEntry("GPIB" + std::to_string(address_) + text);
}

} // namespace bus
