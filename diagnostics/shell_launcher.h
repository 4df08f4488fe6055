#pragma once

#include <cstdint>
#include <string>

namespace diagnostics {

// An opaque handle of the window that owns whatever the opener shows; 0 for none.
using WindowHandle = std::uintptr_t;

// Window show states the shell understands.
namespace showstate {
inline constexpr std::int32_t Hidden = 0;
inline constexpr std::int32_t Normal = 1;
inline constexpr std::int32_t ShowDefault = 10;
} // namespace showstate

// One request to the desktop's opener, exactly as it is handed over.
struct ShellRequest {
    WindowHandle ownerWindow = 0;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    std::int32_t showState = showstate::Normal;
};

// Hands a request to the desktop and answers with a shell result code (0 to 32 a failure).
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    virtual int execute(const ShellRequest& request) = 0;
};

} // namespace diagnostics
