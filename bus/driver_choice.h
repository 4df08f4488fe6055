#pragma once

#include "bus/driver_binding.h"
#include "platform/folders.h"

#include <optional>
#include <string>

namespace bus {

// The driver to bind: the --driver option, else key "Driver" of section "GPIB" of the
// application settings file (read, never written), else the default library names.
DriverChoice driverCandidates(const std::optional<std::string>& option,
                              const platform::ProgramFolders& folders);

} // namespace bus
