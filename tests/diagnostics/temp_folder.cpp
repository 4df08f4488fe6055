#include "temp_folder.h"

#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <system_error>

namespace testsupport {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvix-diag-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace testsupport
