#include "form_utility.h"

#include "platform/app_error.h"
#include "platform/message_box.h"

namespace FormUtility {

void ShowCurrentError(std::string_view comment) {
    const platform::ErrorRecord& error = platform::currentError();
    const std::string text =
        std::to_string(error.number) + ": " + error.description + ". " + std::string(comment);
    platform::messageBox().show(text, platform::kAppTitle, platform::mb::Exclamation);
}

} // namespace FormUtility
