#include "app/application.h"

namespace app {

Application::Application(bus::DriverChoice driver, std::int16_t boardId, bool virtualTime)
    : virtualClock_(virtualTime ? std::make_unique<platform::VirtualClock>() : nullptr),
      binding_(std::move(driver)), calls_(binding_), gpib_(calls_, debugLog_, errorQueue_),
      device_(gpib_, errorQueue_, debugLog_, clock(), yield_) {
    device_.setBoardID(boardId);
}

} // namespace app
