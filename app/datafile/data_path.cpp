#include "data_path.h"

namespace datafile {

std::string& AppDataPath() {
    static std::string path;
    return path;
}

std::filesystem::path dataFolder(const std::filesystem::path& programFolder) {
    const std::filesystem::path data = AppDataPath();
    return data.empty() ? programFolder / "data" / "" : data.parent_path();
}

} // namespace datafile
