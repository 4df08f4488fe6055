#include "app/application.h"

namespace app {

namespace {

std::unique_ptr<platform::Clock> makeClock(bool virtualTime) {
    if (virtualTime)
        return std::make_unique<platform::VirtualClock>();
    return std::make_unique<platform::SteadyClock>();
}

} // namespace

Application::Application(bus::DriverChoice driver, std::int16_t boardId, bool virtualTime)
    : clock_(makeClock(virtualTime)),
      virtualClock_(dynamic_cast<platform::VirtualClock*>(clock_.get())),
      binding_(std::move(driver)), calls_(binding_), gpib_(calls_, debugLog_, errorQueue_),
      device_(gpib_, errorQueue_, debugLog_, *clock_, yield_) {
    device_.setBoardID(boardId);
}

} // namespace app
