#pragma once

#include "caption_sink.h"
#include "platform/app_error.h"
#include "platform/log_sink.h"

#include <cstdint>
#include <deque>
#include <string>

namespace diagnostics {

// Collects error messages (and other texts) in order, echoes each new one to a log window and a
// caption when asked to, and shows them all together in one message box.
class oocErrorQueue {
public:
    const std::string& messageTitle() const { return messageTitle_; }
    const std::string& messageHeader() const { return messageHeader_; }
    // A line after the entries in every display.
    void setMessageFooter(std::string footer) { messageFooter_ = std::move(footer); }
    // Where new entries are echoed while LOG output is on; none by default.
    platform::LogSink* logWindow() const { return logWindow_; }
    void setLogWindow(platform::LogSink* window) { logWindow_ = window; }
    // Where new entries are echoed while label output is on; none by default.
    void setOutputLabel(CaptionSink* label) { outputLabel_ = label; }

    // Text added to every new entry; the caption shows the last message with the new suffix.
    void setMessageAppend(std::string s);

    void EnableLOGOutput() { logOutput_ = true; }
    void DisableLOGOutput() { logOutput_ = false; }
    void EnablebLBLOutput() { labelOutput_ = true; }
    void DisablebLBLOutput() { labelOutput_ = false; }

    // Adds "number: description. comment" for the current error.
    void AddError(const std::string& sAdditionalComment = {});
    // The same for an error in hand, which does not become the current error.
    void AddError(const platform::AppError& error, const std::string& sAdditionalComment);
    void AddString(const std::string& s);
    void FlushErrors();
    std::string GetErrorString() const;
    // Shows every entry in the application's message box, then forgets them; a non-empty
    // header replaces the message header for this and later displays.
    void DisplayErrors(const std::string& sMessageHeader = {}, std::int32_t severity = 0);
    bool ErrorsExist() const { return !entries_.empty(); }

    // The newest message as it was added, without the MessageAppend suffix.
    const std::string& lastMessage() const { return lastMessage_; }

private:
    void addEntry(const std::string& message);

    std::string messageTitle_ = "QE";
    std::string messageHeader_ = "The following errors have occurred:";
    std::string messageFooter_;
    platform::LogSink* logWindow_ = nullptr;
    CaptionSink* outputLabel_ = nullptr;
    std::string messageAppend_;
    std::string lastMessage_;
    bool logOutput_ = false;
    bool labelOutput_ = false;
    std::deque<std::string> entries_;
};

} // namespace diagnostics
