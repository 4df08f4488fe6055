#include "window_caption.h"

#include "platform/message_box.h"
#include "settings/setting_keys.h"

namespace app {

namespace {

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string windowCaption(const std::string& currentConfigPath, const std::string& runRecord) {
    if (!runRecord.empty()) {
        std::string run = fileNameOf(runRecord);
        if (const std::size_t extension = run.rfind(settings::keys::kRunRecordExtension);
            extension != std::string::npos && extension > 0)
            run.resize(extension);
        return platform::titleLine() + " - from run " + run;
    }
    if (currentConfigPath.empty())
        return platform::titleLine();
    return platform::titleLine() + " - " + fileNameOf(currentConfigPath);
}

} // namespace app
