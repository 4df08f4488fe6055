#pragma once

#include "platform/folders.h"

#include <optional>
#include <string>
#include <vector>

namespace bus {

// The driver libraries to try, in order: the --driver option, else key "Driver" of section
// "GPIB" of the application settings file (read, never written), else the default names.
std::vector<std::string> driverCandidates(const std::optional<std::string>& option,
                                          const platform::ProgramFolders& folders);

} // namespace bus
