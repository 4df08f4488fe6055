#pragma once

#include "platform/clock.h"

namespace bus {
class DriverBinding;
}

namespace runtime {

// Puts the simulated instrument on the program's virtual clock for a dry run: from then on the
// instrument's time moves exactly as the program's does, so a long test runs in seconds with the
// same readings and commands as in real time.
class SimulatorTime {
public:
    // Binds the driver if need be; raises AppError 48 when it is not the simulator.
    SimulatorTime(bus::DriverBinding& binding, platform::VirtualClock& clock);
    ~SimulatorTime();
    SimulatorTime(const SimulatorTime&) = delete;
    SimulatorTime& operator=(const SimulatorTime&) = delete;

private:
    platform::VirtualClock& clock_;
};

} // namespace runtime
