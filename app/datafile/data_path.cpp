#include "data_path.h"

namespace datafile {

std::string& AppDataPath() {
    static std::string path;
    return path;
}

} // namespace datafile
