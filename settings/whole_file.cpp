#include "whole_file.h"

#include "platform/app_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace settings {

namespace {

constexpr int kMaxLinkHops = 40;
constexpr const char* kWriteSource = "writeFileAtomically";

// As fileError, except that a missing folder on the way to a new file is "Path not found".
platform::AppError writeError(int errnoValue, const fs::path& path) {
    if (errnoValue == ENOENT)
        return platform::AppError(platform::errnum::PathNotFound,
                                  "Path not found (" + path.string() + ": " +
                                      std::strerror(errnoValue) + ")",
                                  kWriteSource);
    return platform::fileError(errnoValue, path.string(), kWriteSource);
}

// A hidden name beside the target, with the six X that mkstemp replaces.
std::string temporaryName(const fs::path& target) {
    std::string name(1, '.');
    name.append(target.filename().string()).append(".XXXXXX");
    return (target.parent_path() / name).string();
}

// Closes the descriptor and removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target) : name_(temporaryName(target)) {
        fd_ = ::mkstemp(name_.data());
        if (fd_ < 0)
            throw writeError(errno, target);
    }
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!renamed_)
            ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    void close(const fs::path& target) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            throw writeError(errno, target);
    }
    void renameTo(const fs::path& target) {
        if (::rename(name_.c_str(), target.c_str()) != 0)
            throw writeError(errno, target);
        renamed_ = true;
    }

private:
    std::string name_;
    int fd_ = -1;
    bool renamed_ = false;
};

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

void writeAll(int fd, std::string_view contents, const fs::path& target) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            throw writeError(errno, target);
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(fd) != 0)
        throw writeError(errno, target);
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

std::optional<std::string> readWholeFile(const fs::path& path, std::optional<std::size_t> limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw platform::fileError(errno, path.string(), "readWholeFile");
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
    if (path.empty() || !path.has_filename())
        throw platform::AppError(
            platform::errnum::PathFileAccess,
            "Path/File access error (no file name in \"" + path.string() + "\")", kWriteSource);
    fs::path target = resolveLinks(path);
    if (target.parent_path().empty())
        target = fs::path(".") / target;
    TemporaryFile temporary(target);
    takeOverAttributes(temporary.fd(), target);
    writeAll(temporary.fd(), contents, target);
    temporary.close(target);
    temporary.renameTo(target);
}

} // namespace settings
