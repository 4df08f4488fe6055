#include "whole_file.h"

#include "platform/app_error.h"
#include "written_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace settings {

namespace {

constexpr int kMaxLinkHops = 40;

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The new file takes the old one's mode, and its owner when the process may give it (root
// editing a user's file); otherwise it gets what a newly created file would get.
void takeOverAttributes(int fd, const fs::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        ::fchmod(fd, 0666 & ~currentUmask());
        return;
    }
    ::fchmod(fd, old.st_mode & 07777);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        (void)!::fchown(fd, old.st_uid, old.st_gid);
}

} // namespace

fs::path resolveLinks(const fs::path& path) {
    fs::path current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            throw platform::fileError(error.value(), current.string(), "resolveLinks");
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw platform::fileError(ELOOP, path.string(), "resolveLinks");
}

// Opening a FIFO for reading waits for a writer, for ever; a device may never end. So the file
// is opened without waiting and refused unless it is a regular file.
std::optional<std::string> readWholeFile(const fs::path& path, std::optional<std::size_t> limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw platform::fileError(errno, path.string(), "readWholeFile");
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw platform::AppError(platform::errnum::PathFileAccess,
                                 "Path/File access error (" + path.string() +
                                     " is not a regular file)",
                                 "readWholeFile");
    }
    std::string contents;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw platform::fileError(error, path.string(), "readWholeFile");
        }
        if (got == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(got));
        if (limit && contents.size() > *limit) {
            ::close(fd);
            throw platform::AppError(platform::errnum::PathFileAccess,
                                     "Path/File access error (" + path.string() + ": larger than " +
                                         std::to_string(*limit) + " bytes)",
                                     "readWholeFile");
        }
    }
    ::close(fd);
    return contents;
}

void writeFileAtomically(const fs::path& path, std::string_view contents) {
    const FileContents file{path, contents};
    writeFilesAtomically({&file, 1});
}

void writeFilesAtomically(std::span<const FileContents> files) {
    std::vector<std::unique_ptr<TemporaryFile>> written;
    for (const FileContents& file : files) {
        if (file.path.empty() || !file.path.has_filename())
            throw platform::AppError(platform::errnum::PathFileAccess,
                                     "Path/File access error (no file name in \"" +
                                         file.path.string() + "\")",
                                     "writeFileAtomically");
        fs::path target = resolveLinks(file.path);
        if (target.parent_path().empty())
            target = fs::path(".") / target;
        auto& temporary = written.emplace_back(std::make_unique<TemporaryFile>(target));
        takeOverAttributes(temporary->file().fd(), target);
        temporary->file().write(file.contents);
        temporary->file().sync();
    }
    for (const auto& temporary : written)
        temporary->renameOverTarget();
}

} // namespace settings
