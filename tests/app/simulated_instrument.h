#pragma once

// The driver stack of one instrument as the program binds it (through dlopen), on a test's
// virtual clock: the simulator, or a driver library that is not there.

#include "bus/driver_binding.h"
#include "bus/gpib.h"
#include "bus/gpib_calls.h"
#include "bus/gpib_device.h"
#include "diagnostics/app_diagnostics.h"
#include "platform/clock.h"
#include "platform/yield.h"
#include "support/sim_library.h"

#include <string>

namespace apptest {

struct Instrument {
    explicit Instrument(platform::VirtualClock& clock,
                        std::string driver = testsupport::simulatorPath())
        : binding({std::move(driver)}),
          device(gpib, diagnostics::AppErrorQueue(), diagnostics::AppDebugLog(), clock, yield) {}

    bus::DriverBinding binding;
    bus::GpibCalls calls{binding};
    bus::Gpib gpib{calls, diagnostics::AppDebugLog(), diagnostics::AppErrorQueue()};
    platform::CountingYield yield;
    bus::GPIBDevice device;
};

} // namespace apptest
