#pragma once

#include <string>

namespace diagnostics {

// A caption that shows one short text and repaints at once (a status label), so the error queue
// can echo its newest entry without knowing the window that shows it.
class CaptionSink {
public:
    virtual ~CaptionSink() = default;
    virtual void showCaption(const std::string& caption) = 0;
};

} // namespace diagnostics
