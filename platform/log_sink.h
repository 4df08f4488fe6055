#pragma once

#include <string>

namespace platform {

// Where diagnostic lines go: the debug output window implements it, so the core layers (the
// reading parser, the error queue, the debug log) reach the window without knowing it.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void SendString(const std::string& line) = 0;
};

} // namespace platform
