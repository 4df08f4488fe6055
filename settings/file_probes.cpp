#include "form_utility.h"

#include "platform/app_error.h"
#include "settings/whole_file.h"

#include <system_error>

namespace FormUtility {

bool FileExists(const std::filesystem::path& path) {
    if (path.empty())
        return false;
    std::error_code error;
    (void)std::filesystem::last_write_time(path, error);
    return !error;
}

void WriteTextFile(const std::filesystem::path& path, std::string_view text) {
    try {
        settings::writeFileAtomically(path, std::string(text) + "\r\n");
    } catch (const platform::AppError&) {
        // Callers that must know use writeFileAtomically.
    }
}

// A probe file that is not there still proves the root answers.
bool DriveExists(std::string_view path) {
    const std::filesystem::path root = std::filesystem::path(CleanPath(path)).root_path();
    std::error_code error;
    (void)std::filesystem::status(root / "xxxx.xxx", error);
    return !error || error == std::errc::no_such_file_or_directory;
}

} // namespace FormUtility
