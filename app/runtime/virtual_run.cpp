#include "app/runtime/virtual_run.h"

namespace runtime {

bool runInVirtualTime(platform::VirtualClock& clock, const std::function<bool()>& running,
                      const std::function<void()>& refresh,
                      std::chrono::milliseconds refreshEvery) {
    using WallClock = std::chrono::steady_clock;
    auto lastRefresh = WallClock::now();
    bool timersLeft = true;
    while (running() && (timersLeft = clock.fireNextTimer())) {
        if (WallClock::now() - lastRefresh >= refreshEvery) {
            refresh();
            lastRefresh = WallClock::now();
        }
    }
    refresh();
    return timersLeft;
}

} // namespace runtime
