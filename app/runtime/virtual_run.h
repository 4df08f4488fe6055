#pragma once

#include "platform/clock.h"

#include <chrono>
#include <functional>

namespace runtime {

// Drives a dry run: fires the virtual timers one after the other, as fast as they can run, until
// the test is over; the window is refreshed at most every `refreshEvery` of wall time and once
// at the end, so a long test does not spend its time repainting. Returns false when no timer was
// left to fire while the test was still running.
bool runInVirtualTime(platform::VirtualClock& clock, const std::function<bool()>& running,
                      const std::function<void()>& refresh,
                      std::chrono::milliseconds refreshEvery = std::chrono::milliseconds(100));

} // namespace runtime
