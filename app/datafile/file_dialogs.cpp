#include "file_dialogs.h"

namespace app {

void ScriptedFileDialogs::queueAnswer(std::optional<std::string> answer) {
    answers_.push_back(answer ? std::vector<std::string>{std::move(*answer)}
                              : std::vector<std::string>{});
}

std::vector<std::string> ScriptedFileDialogs::answers(Kind kind, const FileDialogRequest& request) {
    shown_.push_back({kind, request});
    if (answers_.empty())
        return {};
    std::vector<std::string> next = std::move(answers_.front());
    answers_.pop_front();
    return next;
}

std::optional<std::string> ScriptedFileDialogs::answer(Kind kind,
                                                       const FileDialogRequest& request) {
    std::vector<std::string> chosen = answers(kind, request);
    if (chosen.empty())
        return std::nullopt;
    return std::move(chosen.front());
}

} // namespace app
