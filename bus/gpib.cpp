#include "bus/gpib.h"

#include "bus/gpib_status_text.h"
#include "diagnostics/debug_log.h"
#include "diagnostics/error_queue.h"
#include "platform/app_error.h"
#include "settings/form_utility.h"

namespace bus {

namespace {

constexpr int kRqs = 0x40;
constexpr int kEdvr = 0;
constexpr int kEarg = 4;
constexpr int kLineFeed = 10;

std::string withoutCrLf(std::string text) {
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n"))
        text.erase(at, 2);
    return text;
}

// ibconfig options and values of the board set-up: no automatic EOI on board writes, a 3 s
// timeout, normal handshake timing, no automatic serial polling, the high-speed cable length.
constexpr std::pair<int, int> kBoardSetup[] = {{4, 0}, {3, 12}, {17, 1}, {7, 0}, {31, 15}};

} // namespace

Gpib::Gpib(GpibCalls& calls, diagnostics::oocDebugLog& debugLog,
           diagnostics::oocErrorQueue& errorQueue)
    : calls_(calls), debugLog_(debugLog), errorQueue_(errorQueue) {}

bool Gpib::GPIBDriverPresent() {
    try {
        calls_.ibwait(0, 0);
    } catch (const platform::AppError& error) {
        platform::setCurrentError(error);
        debugLog_.AddEntry("GPIBNIDLL is Missing");
        FormUtility::ShowCurrentError();
        return false;
    }
    debugLog_.AddEntry("GPIBNIDLL is Present");
    return true;
}

bool Gpib::GPIBBoardClear(std::int16_t board) {
    if (!GPIBBoardValid(board))
        return false;
    calls_.SendIFC(board);
    const bool ok = noError();
    GPIBLogOperation(board, -1, "BoardClear", "");
    // A test starts with the board clear: the log says what the instrument is reached through.
    if (ok && calls_.binding().adapter())
        fileAdapterLine(board, calls_.binding().description());
    return ok;
}

bool Gpib::GPIBDeviceClear(std::int16_t board, std::int16_t address) {
    if (!GPIBAddressValid(board, address))
        return false;
    calls_.DevClear(board, address);
    const bool ok = noError();
    GPIBLogOperation(board, -1, "DeviceClear", "");
    return ok;
}

bool Gpib::GPIBEnableLocal(std::int16_t board, std::int16_t address) {
    if (!GPIBAddressValid(board, address))
        return false;
    calls_.EnableLocal(board, {static_cast<Addr4882_t>(address), NOADDR});
    const bool ok = noError();
    GPIBLogOperation(board, address, "EnableLocal", "");
    return ok;
}

bool Gpib::GPIBEnableRemote(std::int16_t board, std::int16_t address) {
    if (!GPIBAddressValid(board, address))
        return false;
    calls_.EnableRemote(board, {static_cast<Addr4882_t>(address), NOADDR});
    const bool ok = noError();
    GPIBLogOperation(board, address, "EnableRemote", "");
    return ok;
}

bool Gpib::GPIBWrite(std::int16_t board, std::int16_t address, const std::string& command) {
    if (!GPIBAddressValid(board, address))
        return false;
    const std::string text = command + "\r\n";
    calls_.Send(board, address, text, EotMode::DABend);
    const bool ok = noError();
    GPIBLogOperation(board, address, "Write", withoutCrLf(text));
    GPIBSRQ(board, 0); // only puts the SRQ line's state in the bus log
    return ok;
}

bool Gpib::GPIBRead(std::int16_t board, std::int16_t address, std::string& buffer) {
    if (!GPIBAddressValid(board, address))
        return false;
    buffer = calls_.Receive(board, address, buffer, kLineFeed);
    const bool ok = noError();
    GPIBLogOperation(board, address, "Read", buffer);
    return ok;
}

std::int16_t Gpib::GPIBSPOLL(std::int16_t board, std::int16_t address) {
    if (!GPIBAddressValid(board, address))
        return 0;
    const std::int16_t status = calls_.ReadStatusByte(board, address);
    GPIBLogOperation(board, address, "SPOLL", std::to_string(status));
    return status;
}

bool Gpib::GPIBSRQ(std::int16_t board, std::int16_t address) {
    if (!GPIBAddressValid(board, address))
        return false;
    const bool asserted = calls_.SrqLineAsserted(board);
    GPIBLogOperation(board, -1, "SRQ", asserted ? "1" : "0");
    if (!asserted)
        return false;
    if (address <= 0)
        return true;
    // Reading the status byte clears RQS, so the device is polled once here.
    const bool requested = (GPIBSPOLL(board, address) & kRqs) != 0;
    GPIBLogOperation(board, address, "SRQ", requested ? "True" : "False");
    return requested;
}

std::optional<std::string> Gpib::boardSetupHint(std::int16_t board) const {
    const int code = GPIBErrorCode();
    if (const AdapterControls* adapter = calls_.binding().adapter(); adapter && code != -1) {
        const std::string problem = adapter->problem();
        return problem.empty() ? std::nullopt : std::optional<std::string>(problem);
    }
    if ((code != kEdvr && code != kEarg) || !calls_.binding().bound() ||
        calls_.binding().api().family != DriverFamily::LinuxGpib)
        return std::nullopt;
    return "Check that board id " + std::to_string(board) +
           " has an entry in /etc/gpib.conf (or in the file IB_CONFIG names), that gpib_config "
           "has been run for it and that the GPIB kernel driver is loaded.";
}

int Gpib::GPIBErrorCode() const {
    return bus::GPIBErrorCode(calls_.status());
}

std::string Gpib::GPIBIberrText() const {
    return bus::GPIBIberrText(calls_.status());
}

std::string Gpib::GPIBIbstaText() const {
    return bus::GPIBIbstaText(calls_.status());
}

std::string Gpib::GPIBStatusText() const {
    return bus::GPIBStatusText(calls_.status());
}

bool Gpib::GPIBBoardValid(std::int16_t board) {
    return board >= 0 && board <= 3;
}

bool Gpib::GPIBAddressValid(std::int16_t board, std::int16_t address) {
    return GPIBBoardValid(board) && address >= 0 && address <= 30;
}

void Gpib::GPIBLogOperation(int board, int address, const std::string& operation,
                            const std::string& data) {
    std::string line = "GPIB";
    if (board >= 0)
        line += std::to_string(board);
    if (address >= 0)
        line += "_" + std::to_string(address);
    if (!operation.empty())
        line += "_" + operation;
    if (!data.empty())
        line += ":" + data;
    if (const int code = GPIBErrorCode(); code != -1) {
        line += "[GPIBError=" + std::to_string(code) + "; " + GPIBStatusText() + "]";
        errorQueue_.AddString(line);
        debugLog_.AddEntry(line);
        noteAdapterProblem(board);
        return;
    }
    adapterProblem_.clear();
    debugLog_.AddEntry(line + "[No Error]");
}

// Goes to the log window (through the error queue) as well as to the debug log.
void Gpib::fileAdapterLine(int board, const std::string& text) {
    const std::string line = "GPIB" + std::to_string(board) + "_Adapter:" + text;
    errorQueue_.AddString(line);
    debugLog_.AddEntry(line);
}

// The status words say only EDVR or ENOL; the adapter library says which port and why.
void Gpib::noteAdapterProblem(int board) {
    const AdapterControls* adapter = calls_.binding().adapter();
    if (!adapter)
        return;
    std::string problem = adapter->problem();
    if (problem.empty() || problem == adapterProblem_)
        return;
    adapterProblem_ = std::move(problem);
    fileAdapterLine(board, adapterProblem_);
}

void Gpib::ConfigureBoard(std::int16_t board) {
    for (const auto& [option, value] : kBoardSetup)
        calls_.ibconfig(board, option, value);
}

} // namespace bus
