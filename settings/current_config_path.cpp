#include "settings/current_config_path.h"

namespace settings {

std::string& CurrentConfigPath() {
    static std::string path;
    return path;
}

} // namespace settings
