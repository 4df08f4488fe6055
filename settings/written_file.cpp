#include "written_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace settings {

namespace {

constexpr const char* kWriteSource = "WrittenFile";

// A hidden name beside the target, with the six X that mkstemp replaces.
std::string temporaryName(const fs::path& target) {
    std::string name(1, '.');
    name.append(target.filename().string()).append(".XXXXXX");
    return (target.parent_path() / name).string();
}

} // namespace

platform::AppError fileWriteError(int errnoValue, const fs::path& path) {
    if (errnoValue == ENOENT)
        return platform::AppError(platform::errnum::PathNotFound,
                                  "Path not found (" + path.string() + ": " +
                                      std::strerror(errnoValue) + ")",
                                  kWriteSource);
    return platform::fileError(errnoValue, path.string(), kWriteSource);
}

WrittenFile WrittenFile::create(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw fileWriteError(errno, path);
    return WrittenFile(fd, path, path);
}

namespace {

// File systems without hard links (FAT, some network and FUSE ones) say so in one of these.
bool noHardLinks(int errnoValue) {
    return errnoValue == EPERM || errnoValue == EOPNOTSUPP || errnoValue == ENOSYS ||
           errnoValue == EMLINK;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

// The file is made and locked under a hidden name and then linked to its own, which fails when
// the name is taken: the name only ever appears with the lock on it.
WrittenFile WrittenFile::createLocked(const fs::path& path) {
    WrittenFile hidden = temporaryBeside(path);
    const auto removeHidden = [&] { ::unlink(hidden.path().c_str()); };
    if (::flock(hidden.fd(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        removeHidden();
        throw fileWriteError(error, path);
    }
    (void)::fchmod(hidden.fd(), newFileMode());
    if (::link(hidden.path().c_str(), path.c_str()) != 0) {
        const int error = errno;
        removeHidden();
        if (!noHardLinks(error))
            throw fileWriteError(error, path);
        WrittenFile file = create(path);
        (void)::flock(file.fd(), LOCK_EX | LOCK_NB);
        return file;
    }
    removeHidden();
    return WrittenFile(std::exchange(hidden.fd_, -1), path, path);
}

WrittenFile WrittenFile::temporaryBeside(const fs::path& target) {
    std::string name = temporaryName(target);
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        throw fileWriteError(errno, target);
    return WrittenFile(fd, name, target);
}

WrittenFile::WrittenFile(int fd, fs::path path, fs::path reported)
    : fd_(fd), path_(std::move(path)), reported_(std::move(reported)) {}

WrittenFile::WrittenFile(WrittenFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)),
      reported_(std::move(other.reported_)) {}

WrittenFile::~WrittenFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

void WrittenFile::fail(int errnoValue) const {
    throw fileWriteError(errnoValue, reported_);
}

void WrittenFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            fail(errno);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void WrittenFile::syncData() {
    if (::fdatasync(fd_) != 0)
        fail(errno);
}

void WrittenFile::sync() {
    if (::fsync(fd_) != 0)
        fail(errno);
}

bool WrittenFile::stillNamed() const {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd_, &open) == 0 && ::stat(path_.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void WrittenFile::close() {
    if (::close(std::exchange(fd_, -1)) != 0)
        fail(errno);
}

TemporaryFile::TemporaryFile(const fs::path& target)
    : target_(target), file_(WrittenFile::temporaryBeside(target)) {}

TemporaryFile::~TemporaryFile() {
    if (!renamed_)
        ::unlink(file_.path().c_str());
}

void TemporaryFile::renameOverTarget() {
    file_.close();
    if (::rename(file_.path().c_str(), target_.c_str()) != 0)
        throw fileWriteError(errno, target_);
    renamed_ = true;
}

std::optional<FileLock> FileLock::tryTake(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return FileLock(fd);
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool lockedByAnother(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace settings
