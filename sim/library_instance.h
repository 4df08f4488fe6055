#pragma once

#include "sim/simulator.h"

#include <mutex>
#include <utility>

namespace gpibsim {

// The one simulator behind the exported C functions: a driver library is process-wide state by
// nature. Built when the library loads, with the configuration and trace named by the
// environment (TARVIX_GPIBSIM_CONFIG, TARVIX_GPIBSIM_TRACE).
struct LibraryInstance {
    std::mutex mutex;
    Simulator simulator;
};

LibraryInstance& libraryInstance();

// Runs the action on the simulator under the library's lock and returns its result.
template <typename Action> auto withSimulator(Action&& action) {
    LibraryInstance& library = libraryInstance();
    std::lock_guard lock(library.mutex);
    return std::forward<Action>(action)(library.simulator);
}

} // namespace gpibsim
