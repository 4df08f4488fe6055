#pragma once

#include "diagnostics/shell_launcher.h"

#include <cstdint>
#include <string>

namespace diagnostics {

// The request GShell makes: programs (".EXE") run hidden, and a request with neither parameters
// nor a working folder always opens in a normal window, whatever show state was asked for.
ShellRequest shellRequestFor(const std::string& file, std::int32_t showCommand,
                             const std::string& parameters, const std::string& directory,
                             const std::string& operation, WindowHandle ownerWindow);

// Hands a document or program to the desktop to be opened. True when the opener took it; on
// failure records the error as the current error (source "<executable>.GShell") and returns false.
// Never throws.
bool GShell(ShellLauncher& launcher, const std::string& file, std::int32_t showCommand,
            const std::string& parameters, const std::string& directory,
            const std::string& operation, WindowHandle ownerWindow);

} // namespace diagnostics
