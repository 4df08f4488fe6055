#pragma once

#include <filesystem>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the scope.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace testsupport
