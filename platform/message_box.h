#pragma once

#include "platform/version.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Style values and answers of the standard message box, as callers pass and test them.
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int ButtonMask = 0x7;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int IconMask = 0x70;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
inline constexpr int DefaultMask = 0x300;

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace mb

inline constexpr const char* kAppTitle = "TARVIX-4140B";
std::string titleLine(); // the title, a blank and kAppVersion: "TARVIX-4140B v2.5.2"

// The answers a style offers, left to right, and the one that Enter (or a headless run) picks.
std::vector<int> answersOf(int style);
int defaultAnswer(int style);

// The standard message box. An empty title means the application's title.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual int show(const std::string& text, const std::string& title, int style) = 0;
    // A question with the caller's answers as buttons, left to right, under the application's
    // title: the index of the one chosen. Enter picks the default, Escape the last answer.
    virtual std::size_t ask(const std::string& text, const std::vector<std::string>& answers,
                            std::size_t defaultAnswer) = 0;
};

// Prints to standard error and answers with the default button: headless runs and the
// fallback before a window exists.
class StderrMessageBox final : public MessageBox {
public:
    int show(const std::string& text, const std::string& title, int style) override;
    std::size_t ask(const std::string& text, const std::vector<std::string>& answers,
                    std::size_t defaultAnswer) override;
};

// Records every message and answers from a queue (the default answer when it runs dry). A
// question is recorded with the Question style and its answers, and takes an index off the queue.
class RecordingMessageBox final : public MessageBox {
public:
    struct Shown {
        std::string text;
        std::string title;
        int style = 0;
        std::vector<std::string> answers; // a question's answers
    };

    int show(const std::string& text, const std::string& title, int style) override;
    std::size_t ask(const std::string& text, const std::vector<std::string>& answers,
                    std::size_t defaultAnswer) override;
    // The next answer: a button's answer (mb::Yes ...) for a message, an index for a question.
    void queueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    std::optional<int> nextAnswer();

    std::vector<Shown> shown_;
    std::deque<int> answers_;
};

// The application's message box. Installing returns the previous one so a test can restore it.
MessageBox& messageBox();
std::unique_ptr<MessageBox> installMessageBox(std::unique_ptr<MessageBox> box);

// Installs a recording box for one scope and puts the previous one back afterwards.
class ScopedRecordingMessageBox {
public:
    ScopedRecordingMessageBox();
    ~ScopedRecordingMessageBox();
    ScopedRecordingMessageBox(const ScopedRecordingMessageBox&) = delete;
    ScopedRecordingMessageBox& operator=(const ScopedRecordingMessageBox&) = delete;

    RecordingMessageBox& operator*() const { return *box_; }
    RecordingMessageBox* operator->() const { return box_; }

private:
    RecordingMessageBox* box_;
    std::unique_ptr<MessageBox> previous_;
};

} // namespace platform
