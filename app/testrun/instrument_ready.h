#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace bus {
class DriverBinding;
class Gpib;
class GPIBDevice;
} // namespace bus

namespace diagnostics {
class oocErrorQueue;
}

namespace testrun {

// The address of the GPIB driver that the start names when no driver library can be bound.
inline constexpr const char* kDriverDownloadAddress = "https://linux-gpib.sourceforge.io";

// What to say when no driver can be called: where to get one, or, for an adapter, how to name it.
std::string driverMissingText(const bus::DriverBinding& binding);

// Readies the instrument before anything is sent to it: the driver is there, the board cleared
// and configured, the device object addressed, one serial poll answered and remote control
// accepted, in that order. Why not (the message for the user), or nullopt.
std::optional<std::string> readyInstrument(bus::Gpib& gpib, bus::GPIBDevice& device,
                                           diagnostics::oocErrorQueue& errorQueue,
                                           std::int16_t board, std::int16_t address);

} // namespace testrun
