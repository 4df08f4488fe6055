#pragma once

#include "bus/gpib_calls.h"

#include <cstdint>
#include <optional>
#include <string>

namespace diagnostics {
class oocDebugLog;
class oocErrorQueue;
} // namespace diagnostics

namespace bus {

// The program's bus operations on a (board, address) pair. None of them raises: each checks its
// arguments, makes one or two driver calls, judges success from the status record and files one
// bus log line in the debug log (and, on a bus error, in the error queue).
class Gpib {
public:
    Gpib(GpibCalls& calls, diagnostics::oocDebugLog& debugLog,
         diagnostics::oocErrorQueue& errorQueue);

    // True when the driver library can be bound and called; otherwise the loader's error is
    // shown to the user.
    bool GPIBDriverPresent();
    bool GPIBBoardClear(std::int16_t board);
    bool GPIBDeviceClear(std::int16_t board, std::int16_t address);
    bool GPIBEnableLocal(std::int16_t board, std::int16_t address);
    bool GPIBEnableRemote(std::int16_t board, std::int16_t address);
    bool GPIBWrite(std::int16_t board, std::int16_t address, const std::string& command);
    bool GPIBRead(std::int16_t board, std::int16_t address, std::string& buffer);
    std::int16_t GPIBSPOLL(std::int16_t board, std::int16_t address);
    bool GPIBSRQ(std::int16_t board, std::int16_t address);

    int GPIBErrorCode() const;
    // What a linux-gpib user should check when the last call failed because the board itself
    // is not set up (the library only says EDVR or EARG then); through an adapter, why the
    // adapter library says the call failed; nothing for other errors or other libraries.
    std::optional<std::string> boardSetupHint(std::int16_t board) const;
    std::string GPIBIberrText() const;
    std::string GPIBIbstaText() const;
    std::string GPIBStatusText() const;

    static bool GPIBBoardValid(std::int16_t board);
    static bool GPIBAddressValid(std::int16_t board, std::int16_t address);

    // Builds "GPIB<board>_<address>_<operation>:<data>" plus the error suffix and files it.
    void GPIBLogOperation(int board, int address, const std::string& operation,
                          const std::string& data);

    // The board set-up of a test start; no result is examined.
    void ConfigureBoard(std::int16_t board);

    GpibCalls& calls() { return calls_; }

private:
    bool noError() const { return GPIBErrorCode() == -1; }
    void fileAdapterLine(int board, const std::string& text);
    void noteAdapterProblem(int board);

    GpibCalls& calls_;
    diagnostics::oocDebugLog& debugLog_;
    diagnostics::oocErrorQueue& errorQueue_;
    // The adapter's reason last filed, so that a run of failing calls files it once.
    std::string adapterProblem_;
};

} // namespace bus
