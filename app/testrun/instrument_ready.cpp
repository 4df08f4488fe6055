#include "instrument_ready.h"

#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "diagnostics/error_queue.h"

namespace testrun {

namespace {

std::string addressText(std::int16_t address, std::int16_t board) {
    return "at GPIB address " + std::to_string(address) + " on board id " + std::to_string(board);
}

} // namespace

// An adapter needs no driver installed, only a choice the adapter's library can read.
std::string driverMissingText(const bus::DriverBinding& binding) {
    if (binding.adapterChosen())
        return "The adapter cannot be used as it is named. Name it as "
               "prologix:/dev/ttyUSB0[?baud=N] or prologix:tcp://HOST[:PORT] (--driver, or "
               "Driver in section [GPIB] of Tarvix-4140.ini).";
    return std::string("You must install the National Instruments drivers before running this "
                       "software. Please install the drivers (available at ") +
           kDriverDownloadAddress + ") and then relaunch Tarvix.";
}

std::optional<std::string> readyInstrument(bus::Gpib& gpib, bus::GPIBDevice& device,
                                           diagnostics::oocErrorQueue& errorQueue,
                                           std::int16_t board, std::int16_t address) {
    if (!gpib.GPIBDriverPresent())
        return driverMissingText(gpib.calls().binding());
    if (gpib.GPIBBoardClear(board)) {
        gpib.ConfigureBoard(board);
        device.setDEMO(false);
    } else {
        errorQueue.FlushErrors();
        device.setDEMO(true);
    }
    device.setGPIBAddress(address);
    device.setBoardID(board);
    gpib.GPIBSPOLL(device.BoardID(), address);
    if (gpib.GPIBErrorCode() != -1) {
        const auto hint = gpib.boardSetupHint(device.BoardID());
        return "Instrument could not be enabled " + addressText(address, device.BoardID()) + ". " +
               gpib.GPIBStatusText() + (hint ? "\n" + *hint : std::string());
    }
    if (!gpib.GPIBEnableRemote(device.BoardID(), address))
        return "instrument could not be enabled " + addressText(address, device.BoardID()) + ".";
    gpib.GPIBSPOLL(device.BoardID(), address);
    return std::nullopt;
}

} // namespace testrun
