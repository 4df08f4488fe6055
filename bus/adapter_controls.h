#pragma once

#include <string>

namespace bus {

// A driver choice of this form names an adapter: "prologix:/dev/ttyUSB0",
// "prologix:tcp://192.168.1.20".
inline constexpr const char* kAdapterScheme = "prologix:";

// The control functions of the adapter library (Prologix, AR488): it is told which adapter to
// reach, and says what the adapter calls itself and why its last driver call failed.
class AdapterControls {
public:
    // The functions of the loaded library; raises AppError 48 naming the one that is missing.
    AdapterControls(void* handle, const std::string& library);

    // Raises AppError 48 when the target names no adapter, saying why.
    void setTarget(const std::string& target) const;
    // The adapter's answer to ++ver, empty until its link has opened.
    std::string version() const;
    // Why the last driver call failed, naming the port; empty after a call that succeeded.
    std::string problem() const;

private:
    int (*setTarget_)(const char*) = nullptr;
    const char* (*version_)() = nullptr;
    const char* (*problem_)() = nullptr;
};

} // namespace bus
