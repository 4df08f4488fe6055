#pragma once

// The standard open and save dialogs, behind an interface the main window owns, so the code
// that asks for a file runs in tests (and headless) without showing one.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct FileDialogRequest {
    std::string title;
    std::filesystem::path folder; // where the dialog starts
    std::string fileName;         // the name it proposes
    // Filters in the form "Data Files (*.txt)"; the first one is selected.
    std::vector<std::string> filters;
    std::string defaultSuffix;    // added to a name typed without one, without the dot
    bool confirmOverwrite = true; // a save dialog asks before replacing a file
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path, or nullopt when the user cancelled. A cancel is no error.
    virtual std::optional<std::string> getSaveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> getOpenFileName(const FileDialogRequest& request) = 0;
    // Several existing files at once; none when the user cancelled.
    virtual std::vector<std::string> getOpenFileNames(const FileDialogRequest& request) = 0;
};

// For tests: records every request and answers from a script; cancels once the script runs dry.
class ScriptedFileDialogs final : public FileDialogs {
public:
    enum class Kind { Save, Open, OpenSeveral };
    struct Shown {
        Kind kind;
        FileDialogRequest request;
    };

    void queueAnswer(std::optional<std::string> answer);
    // The files a dialog of several files answers with.
    void queueAnswers(std::vector<std::string> answer) { answers_.push_back(std::move(answer)); }
    const std::vector<Shown>& shown() const { return shown_; }

    std::optional<std::string> getSaveFileName(const FileDialogRequest& request) override {
        return answer(Kind::Save, request);
    }
    std::optional<std::string> getOpenFileName(const FileDialogRequest& request) override {
        return answer(Kind::Open, request);
    }
    std::vector<std::string> getOpenFileNames(const FileDialogRequest& request) override {
        return answers(Kind::OpenSeveral, request);
    }

private:
    std::optional<std::string> answer(Kind kind, const FileDialogRequest& request);
    std::vector<std::string> answers(Kind kind, const FileDialogRequest& request);

    std::vector<Shown> shown_;
    std::deque<std::vector<std::string>> answers_; // none: cancelled
};

} // namespace app
