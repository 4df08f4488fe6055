#include "window_caption.h"

#include "platform/message_box.h"

namespace app {

std::string windowCaption(const std::string& currentConfigPath) {
    if (currentConfigPath.empty())
        return platform::titleLine();
    const std::size_t slash = currentConfigPath.rfind('/');
    const std::string fileName =
        slash == std::string::npos ? currentConfigPath : currentConfigPath.substr(slash + 1);
    return platform::titleLine() + " - " + fileName;
}

} // namespace app
