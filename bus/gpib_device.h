#pragma once

#include "bus/gpib.h"
#include "diagnostics/error_queue.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {
class Clock;
class Yield;
} // namespace platform

namespace bus {

// Whoever shows the instrument's status: every serial poll that reaches the device hands it the
// status byte as read. What the bits mean is the instrument's business, not the bus's.
class SpollObserver {
public:
    virtual ~SpollObserver() = default;
    virtual void SetSpoll(std::int16_t iSpoll) = 0;
};

// One instrument on a GPIB board: message-level operations and the waits that poll its status
// byte. Every command sent is also added to the application's error queue, which echoes it to
// the debug output window.
class GPIBDevice {
public:
    static constexpr std::int32_t kDefaultReplyLength = 200;

    GPIBDevice(Gpib& gpib, diagnostics::oocErrorQueue& appErrorQueue,
               diagnostics::oocDebugLog& debugLog, platform::Clock& clock, platform::Yield& yield);

    // Where errors trapped in the serial poll and the script runner go: the device's own queue,
    // which nothing shows, unless a caller points it elsewhere.
    diagnostics::oocErrorQueue& errorQueue() const { return *errorQueue_; }
    void setErrorQueue(diagnostics::oocErrorQueue& queue) { errorQueue_ = &queue; }
    // A script then waits for the instrument's service request after each command and reads its
    // reply.
    bool waitForSRQ() const { return waitForSRQ_; }
    void setWaitForSRQ(bool wait) { waitForSRQ_ = wait; }

    void setDEMO(bool demo) { demo_ = demo; }
    bool DEMO() const { return demo_; }
    std::int16_t GPIBAddress() const { return address_; }
    void setGPIBAddress(std::int16_t address) { address_ = address; }
    std::int16_t BoardID() const { return board_; }
    void setBoardID(std::int16_t board) { board_ = board; }
    const std::string& IDN() const { return idn_; }
    void setIDN(std::string idn) { idn_ = std::move(idn); }
    const std::string& InstrumentID() const { return instrumentId_; }
    void setInstrumentID(std::string id) { instrumentId_ = std::move(id); }
    std::string SaveString() const;
    std::int16_t SPOLLMAVMask() const { return mavMask_; }
    void setSPOLLMAVMask(std::int16_t mask) { mavMask_ = mask; }

    bool Send(const std::string& command);
    // The reply as read: received characters, line feed included, then the blanks of the
    // buffer that were not overwritten. The caller trims it.
    std::string Receive(std::optional<std::int32_t> maxLength = std::nullopt);
    std::string SendAndReceive(const std::string& command,
                               std::optional<std::int32_t> maxLength = std::nullopt);
    // Pauses ceil(delay / 100) times 100 ms (at least once) between the command and the read.
    std::string SendAndReceiveDelay(const std::string& command, std::int16_t delayMs,
                                    std::optional<std::int32_t> maxLength = std::nullopt);
    void RunFileScript(const std::string& path);
    void LowLevelCommandSend(const std::string& sLine);
    void SDC();
    float WaitForOPC(float fMaxWaitTime, bool EnableDoEvents = false);
    float WaitForESB(float fMaxWaitTime, bool EnableDoEvents);
    std::int16_t SPOLL();
    // The last SPOLL did not reach the instrument (bus error, no driver, offline): its 0 is no
    // status.
    bool lastPollFailed() const { return lastPollFailed_; }
    bool MAV();
    float WaitForMAV(float fMaxWaitTime, bool EnableDoEvents);
    // Caps the wait at 1200 s and leaves the capped value in the caller's variable.
    float WaitForSRQ(float& fMaxWaitTime);
    bool SRQ();

    void setSpollObserver(SpollObserver* observer) { observer_ = observer; }

private:
    template <typename Condition>
    float pollUntil(Condition condition, float maxWait, int pauseMs, bool yieldEachPoll,
                    const char* waitName);
    void logWait(const std::string& text);
    void runScriptLine(std::string line);

    diagnostics::oocErrorQueue ownErrorQueue_;
    Gpib& gpib_;
    diagnostics::oocErrorQueue& appErrorQueue_;
    diagnostics::oocDebugLog& debugLog_;
    platform::Clock& clock_;
    platform::Yield& yield_;
    diagnostics::oocErrorQueue* errorQueue_;
    bool waitForSRQ_ = false;
    SpollObserver* observer_ = nullptr;
    bool demo_ = false;
    bool lastPollFailed_ = false;
    std::int16_t board_ = 0;
    std::int16_t address_ = 0;
    std::string idn_;
    std::string instrumentId_;
    std::int16_t mavMask_ = 16;
};

} // namespace bus
