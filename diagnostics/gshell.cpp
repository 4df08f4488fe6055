#include "gshell.h"

#include "diagnostics/shell_errors.h"
#include "platform/app_error.h"
#include "platform/folders.h"

#include <algorithm>
#include <cctype>

namespace diagnostics {

namespace {
bool namesAProgram(std::string file) {
    std::transform(file.begin(), file.end(), file.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return file.find(".EXE") != std::string::npos;
}

std::string errorSource() {
    std::string name = platform::executablePath().filename().string();
    return (name.empty() ? "tarvix4140" : name) + ".GShell";
}

int launch(ShellLauncher& launcher, const ShellRequest& request) noexcept {
    try {
        return launcher.execute(request);
    } catch (...) {
        // A launcher that cannot even report a code failed for want of resources.
        return shellcode::OutOfResources;
    }
}
} // namespace

ShellRequest shellRequestFor(const std::string& file, std::int32_t showCommand,
                             const std::string& parameters, const std::string& directory,
                             const std::string& operation, WindowHandle ownerWindow) {
    if (parameters.empty() && directory.empty())
        return {ownerWindow, operation, file, {}, {}, showstate::Normal};
    const std::int32_t showState = namesAProgram(file) ? showstate::Hidden : showCommand;
    return {ownerWindow, operation, file, parameters, directory, showState};
}

bool GShell(ShellLauncher& launcher, const std::string& file, std::int32_t showCommand,
            const std::string& parameters, const std::string& directory,
            const std::string& operation, WindowHandle ownerWindow) {
    try {
        const int result = launch(launcher, shellRequestFor(file, showCommand, parameters,
                                                            directory, operation, ownerWindow));
        if (!isShellFailure(result))
            return true;
        ShellError error = shellErrorFor(result);
        platform::setCurrentError(
            platform::ErrorRecord{error.number, std::move(error.message), errorSource()});
    } catch (...) {
        // Nothing may reach the caller; the false result says it failed.
    }
    return false;
}

} // namespace diagnostics
