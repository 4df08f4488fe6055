#include "log_buffer.h"

namespace diagnostics {

namespace {
constexpr std::size_t kLineBreakLength = 2;
}

void LogBuffer::SendString(const std::string& s) {
    // A line that holds CR LF itself is still one line: it leaves the buffer whole, so the
    // buffer stays bounded by the line limit.
    lines_.push_back(s + "\r\n");
    length_ += lines_.back().size();
    while (lineCount() > kLineLimit) {
        length_ -= lines_.front().size();
        lines_.pop_front();
    }
    joinedStale_ = true;
}

void LogBuffer::Clear() {
    lines_.clear();
    length_ = 0;
    joined_.clear();
    joinedStale_ = false;
}

const std::string& LogBuffer::text() const {
    if (joinedStale_) {
        joined_.clear();
        joined_.reserve(length_);
        for (const std::string& line : lines_)
            joined_ += line;
        joinedStale_ = false;
    }
    return joined_;
}

bool caretFollowsEnd(std::size_t bufferLength) {
    return bufferLength >= kLineBreakLength + 1 && bufferLength < kCaretFollowLimit;
}

std::size_t caretAfterSend(std::size_t bufferLength, std::size_t currentCaret) {
    return caretFollowsEnd(bufferLength) ? bufferLength - kLineBreakLength : currentCaret;
}

} // namespace diagnostics
