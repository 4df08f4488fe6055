#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace diagnostics {

// The most recent lines of the debug output window, each ended by CR LF. Adding a line to a full
// buffer costs the length of that line, not of the buffer: lines are kept apart and joined only
// when the text is read.
class LogBuffer {
public:
    static constexpr int kLineLimit = 500;

    void SendString(const std::string& s);
    void Clear();

    // Lines still kept, counting one per SendString even when a line holds CR LF itself.
    int lineCount() const { return static_cast<int>(lines_.size()); }
    std::size_t length() const { return length_; }
    const std::string& text() const;

private:
    std::deque<std::string> lines_;
    std::size_t length_ = 0;
    mutable std::string joined_;
    mutable bool joinedStale_ = false;
};

// After a line is added the caret goes just before the final CR LF, which scrolls the box to the
// newest line; a very long buffer leaves the caret where it was.
inline constexpr std::size_t kCaretFollowLimit = 65500;

bool caretFollowsEnd(std::size_t bufferLength);
std::size_t caretAfterSend(std::size_t bufferLength, std::size_t currentCaret);

} // namespace diagnostics
