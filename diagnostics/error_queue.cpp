#include "error_queue.h"

#include "platform/app_error.h"
#include "platform/message_box.h"

#include <algorithm>

namespace diagnostics {

namespace {
constexpr const char* kLineBreak = "\r\n";
}

void oocErrorQueue::setMessageAppend(std::string s) {
    messageAppend_ = std::move(s);
    if (labelOutput_ && outputLabel_)
        outputLabel_->showCaption(lastMessage_ + messageAppend_);
}

void oocErrorQueue::AddError(const std::string& sAdditionalComment) {
    const platform::ErrorRecord& error = platform::currentError();
    addEntry(std::to_string(error.number) + ": " + error.description + ". " + sAdditionalComment);
}

void oocErrorQueue::AddError(const platform::AppError& error,
                             const std::string& sAdditionalComment) {
    addEntry(std::to_string(error.number()) + ": " + error.description() + ". " +
             sAdditionalComment);
}

void oocErrorQueue::AddString(const std::string& s) {
    addEntry(s);
}

void oocErrorQueue::addEntry(const std::string& message) {
    lastMessage_ = message;
    const std::string entry = message + messageAppend_;
    entries_.push_back(entry);
    if (logOutput_ && logWindow_)
        logWindow_->SendString(entry);
    if (labelOutput_ && outputLabel_)
        outputLabel_->showCaption(entry);
}

void oocErrorQueue::FlushErrors() {
    entries_.clear();
}

std::string oocErrorQueue::GetErrorString() const {
    std::string text = messageHeader_;
    for (const std::string& entry : entries_)
        text.append(kLineBreak).append(entry);
    if (!messageFooter_.empty())
        text.append(kLineBreak).append(messageFooter_);
    return text;
}

void oocErrorQueue::DisplayErrors(const std::string& sMessageHeader, std::int32_t severity) {
    if (entries_.empty())
        return;
    if (!sMessageHeader.empty())
        messageHeader_ = sMessageHeader;
    // The box runs an event loop, during which timer ticks may queue new errors: forget only
    // the entries that were shown (fewer if a flush ran meanwhile).
    const std::size_t shown = entries_.size();
    platform::messageBox().show(GetErrorString(), messageTitle_, severity);
    const std::size_t forget = std::min(shown, entries_.size());
    entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(forget));
}

} // namespace diagnostics
