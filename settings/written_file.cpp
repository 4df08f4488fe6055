#include "written_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace settings
