#pragma once

#include "bus/driver_binding.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bus {

// The status words of the most recent driver call. The driver writes the 32-bit words; the
// 16-bit ones are what callers read.
struct GpibStatus {
    std::int16_t ibsta = 0;
    std::int16_t iberr = 0;
    std::int16_t ibcnt = 0;
    int ibsta32 = 0;
    int iberr32 = 0;
    int ibcnt32 = 0;
    long ibcntl32 = 0;
    bool registered = false;
};

// End-of-transmission modes as callers name them; the wrapper translates them to the numbering
// of the library it bound.
enum class EotMode { NULLend = 0, NLend = 1, DABend = 2 };

// Keeps the low 16 bits of a status word, read as a signed 16-bit integer.
std::int16_t LongToStatusInt(long value);

// One thin wrapper per driver function: make sure the status words are registered for this
// thread, call the driver, then refresh the status record. Every wrapper raises AppError 48 while
// no driver library can be bound.
class GpibCalls {
public:
    explicit GpibCalls(DriverBinding& binding);
    ~GpibCalls();
    GpibCalls(const GpibCalls&) = delete;
    GpibCalls& operator=(const GpibCalls&) = delete;

    void DevClear(int board, int address);
    void EnableLocal(int board, const std::vector<Addr4882_t>& addresses);
    void EnableRemote(int board, const std::vector<Addr4882_t>& addresses);
    void ibconfig(int board, int option, int value);
    void ibwait(int ud, int mask);
    std::int16_t ReadStatusByte(int board, int address);
    std::string Receive(int board, int address, const std::string& buffer, int termination);
    void Send(int board, int address, const std::string& text, EotMode eotMode);
    void SendIFC(int board);
    bool SrqLineAsserted(int board);

    const GpibStatus& status() const { return status_; }
    // The driver call under way and how long it has been, for a watchdog on another thread
    // (the only member that may be called from one); nullopt between calls.
    struct CallInFlight {
        const char* name;
        std::chrono::steady_clock::duration lasting;
    };
    std::optional<CallInFlight> callInFlight() const;
    DriverBinding& binding() { return binding_; }
    // Called after every driver call (a simulated instrument's clock is followed through it).
    void setAfterCall(std::function<void()> hook) { afterCall_ = std::move(hook); }

private:
    const GpibDriverApi& prepare(const char* name);
    void RegisterGpibStatus(const GpibDriverApi& api);
    void CopyGpibStatus(const GpibDriverApi& api);

    DriverBinding& binding_;
    GpibStatus status_;
    std::function<void()> afterCall_;
    std::atomic<std::int64_t> callSince_{0}; // steady-clock nanoseconds; 0 between calls
    std::atomic<const char*> callName_{nullptr};
};

} // namespace bus
