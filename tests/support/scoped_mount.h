#pragma once

// A small tmpfs mounted over a folder for one test, to see what the program does on a full disk
// or a read-only file system. Mounting needs root (CI runs as root); where it is not permitted,
// mounted() is false and the test skips.

#include <filesystem>
#include <string>
#include <sys/mount.h>

namespace testsupport {

class ScopedTmpfs {
public:
    ScopedTmpfs(const std::filesystem::path& folder, std::size_t bytes, bool readOnly = false)
        : folder_(folder) {
        std::filesystem::create_directories(folder);
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0,
                           options.c_str()) == 0;
    }
    ~ScopedTmpfs() {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool mounted() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace testsupport
