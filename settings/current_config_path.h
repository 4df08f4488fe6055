#pragma once

#include <string>

namespace settings {

// The path of the configuration file in use, empty when none: read from the application
// settings at start-up, changed whenever a configuration is loaded or saved, and written back
// to the application settings at exit.
std::string& CurrentConfigPath();

} // namespace settings
