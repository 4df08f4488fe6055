#include "form_utility.h"

#include "platform/app_error.h"
#include "platform/message_box.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace FormUtility {

namespace {

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

void createFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && isFolder(path)))
        throw platform::fileError(errno, path, "MakePath");
}

bool userAgreesToCreate(const std::string& path) {
    const int answer =
        platform::messageBox().show("Path " + path + " not found.  Create it?", platform::kAppTitle,
                                    platform::mb::OkCancel | platform::mb::Question);
    return answer == platform::mb::Ok;
}

} // namespace

// Each folder is probed by its path instead of being made the current directory: a changed
// current directory would send every later relative path somewhere else.
bool MakePath(std::string_view path, std::int16_t mode) {
    if (path.find('/') == std::string_view::npos)
        return false;
    for (std::size_t slash = path.find('/'); slash != std::string_view::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder(path.substr(0, slash + 1));
        if (isFolder(folder))
            continue;
        switch (mode) {
        case 0:
            createFolder(folder);
            break;
        case 1:
            if (!userAgreesToCreate(folder))
                return false;
            createFolder(folder);
            break;
        case 2:
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace FormUtility
