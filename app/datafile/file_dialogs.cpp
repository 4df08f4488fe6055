#include "file_dialogs.h"

namespace app {

std::optional<std::string> ScriptedFileDialogs::answer(Kind kind,
                                                       const FileDialogRequest& request) {
    shown_.push_back({kind, request});
    if (answers_.empty())
        return std::nullopt;
    std::optional<std::string> next = std::move(answers_.front());
    answers_.pop_front();
    return next;
}

} // namespace app
