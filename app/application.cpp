#include "app/application.h"

#include "diagnostics/app_diagnostics.h"

namespace app {

Application::Application(std::vector<std::string> driverCandidates, std::int16_t boardId)
    : binding_(std::move(driverCandidates)), calls_(binding_),
      gpib_(calls_, diagnostics::AppDebugLog(), diagnostics::AppErrorQueue()),
      device_(gpib_, diagnostics::AppErrorQueue(), diagnostics::AppDebugLog(), clock_, yield_) {
    device_.setBoardID(boardId);
}

} // namespace app
