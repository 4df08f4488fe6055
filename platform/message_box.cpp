#include "message_box.h"

#include <iostream>

namespace platform {

std::string titleLine() {
    return std::string(kAppTitle) + " " + kAppVersion;
}

std::vector<int> answersOf(int style) {
    switch (style & mb::ButtonMask) {
    case mb::OkCancel:
        return {mb::Ok, mb::Cancel};
    case mb::AbortRetryIgnore:
        return {mb::Abort, mb::Retry, mb::Ignore};
    case mb::YesNoCancel:
        return {mb::Yes, mb::No, mb::Cancel};
    case mb::YesNo:
        return {mb::Yes, mb::No};
    case mb::RetryCancel:
        return {mb::Retry, mb::Cancel};
    default:
        return {mb::Ok};
    }
}

int defaultAnswer(int style) {
    const std::vector<int> answers = answersOf(style);
    const std::size_t index = static_cast<std::size_t>((style & mb::DefaultMask) >> 8);
    return index < answers.size() ? answers[index] : answers.front();
}

int StderrMessageBox::show(const std::string& text, const std::string& title, int style) {
    std::cerr << (title.empty() ? kAppTitle : title) << ": " << text << '\n';
    return defaultAnswer(style);
}

std::size_t StderrMessageBox::ask(const std::string& text, const std::vector<std::string>& answers,
                                  std::size_t defaultAnswer) {
    std::cerr << kAppTitle << ": " << text << '\n';
    if (defaultAnswer < answers.size())
        std::cerr << kAppTitle << ": " << answers[defaultAnswer] << '\n';
    return defaultAnswer;
}

int RecordingMessageBox::show(const std::string& text, const std::string& title, int style) {
    shown_.push_back({text, title, style, {}});
    return nextAnswer().value_or(defaultAnswer(style));
}

std::size_t RecordingMessageBox::ask(const std::string& text,
                                     const std::vector<std::string>& answers,
                                     std::size_t defaultAnswer) {
    shown_.push_back({text, "", mb::Question, answers});
    return static_cast<std::size_t>(nextAnswer().value_or(static_cast<int>(defaultAnswer)));
}

std::optional<int> RecordingMessageBox::nextAnswer() {
    if (answers_.empty())
        return std::nullopt;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

namespace {
std::unique_ptr<MessageBox>& installed() {
    static std::unique_ptr<MessageBox> box = std::make_unique<StderrMessageBox>();
    return box;
}
} // namespace

MessageBox& messageBox() {
    return *installed();
}

std::unique_ptr<MessageBox> installMessageBox(std::unique_ptr<MessageBox> box) {
    if (!box)
        box = std::make_unique<StderrMessageBox>();
    installed().swap(box);
    return box;
}

ScopedRecordingMessageBox::ScopedRecordingMessageBox() {
    auto box = std::make_unique<RecordingMessageBox>();
    box_ = box.get();
    previous_ = installMessageBox(std::move(box));
}

ScopedRecordingMessageBox::~ScopedRecordingMessageBox() {
    installMessageBox(std::move(previous_));
}

} // namespace platform
