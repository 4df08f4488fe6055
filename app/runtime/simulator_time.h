#pragma once

#include "platform/clock.h"

namespace bus {
class GpibCalls;
}

namespace runtime {

// Puts the simulated instrument on the program's virtual clock for a dry run: the instrument's
// time moves as the program's does, and the program's time follows every wait the instrument
// makes it spend (a read that waits for a reading or times out), so a long test runs in seconds
// with the same readings, times and commands as in real time.
class SimulatorTime {
public:
    // Binds the driver if need be; raises AppError 48 when it is not the simulator.
    SimulatorTime(bus::GpibCalls& calls, platform::VirtualClock& clock);
    ~SimulatorTime();
    SimulatorTime(const SimulatorTime&) = delete;
    SimulatorTime& operator=(const SimulatorTime&) = delete;

private:
    bus::GpibCalls& calls_;
    platform::VirtualClock& clock_;
};

} // namespace runtime
