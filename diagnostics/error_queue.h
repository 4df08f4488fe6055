#pragma once

#include "caption_sink.h"
#include "platform/log_sink.h"

#include <cstdint>
#include <deque>
#include <string>

namespace diagnostics {

// Collects error messages (and other texts) in order, echoes each new one to a log window and a
// caption when asked to, and shows them all together in one message box.
class oocErrorQueue {
public:
    std::string MessageTitle = "QE";
    std::string MessageHeader = "The following errors have occurred:";
    std::string MessageFooter;
    platform::LogSink* LogWindow = nullptr;
    CaptionSink* OutputLabel = nullptr;

    // Text added to every new entry; the caption shows the last message with the new suffix.
    void setMessageAppend(std::string s);

    void EnableLOGOutput() { logOutput_ = true; }
    void DisableLOGOutput() { logOutput_ = false; }
    void EnablebLBLOutput() { labelOutput_ = true; }
    void DisablebLBLOutput() { labelOutput_ = false; }

    // Adds "number: description. comment" for the current error.
    void AddError(const std::string& sAdditionalComment = {});
    void AddString(const std::string& s);
    void FlushErrors();
    std::string GetErrorString() const;
    // Shows every entry in the application's message box, then forgets them; a non-empty
    // header replaces MessageHeader for this and later displays.
    void DisplayErrors(const std::string& sMessageHeader = {}, std::int32_t severity = 0);
    bool ErrorsExist() const { return !entries_.empty(); }

    // The newest message as it was added, without the MessageAppend suffix.
    const std::string& lastMessage() const { return lastMessage_; }

private:
    void addEntry(const std::string& message);

    std::string messageAppend_;
    std::string lastMessage_;
    bool logOutput_ = false;
    bool labelOutput_ = false;
    std::deque<std::string> entries_;
};

} // namespace diagnostics
