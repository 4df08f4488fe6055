#pragma once

#include "platform/app_error.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace settings {

// A file the program creates and writes, open until it is closed or destroyed. It is never an
// existing file: it is created with a name of its own or with a fresh hidden name. Every failure
// raises an AppError naming the file the user knows (for a temporary file, the file it stands
// in for) with the runtime numbers: 76 path not found, 70 permission denied, 61 disk full, 57
// device I/O error, 75 any other path or file access error (an existing file among them).
class WrittenFile {
public:
    // Creates the file, which must not exist yet.
    static WrittenFile create(const std::filesystem::path& path);
    // Creates the file, which must not exist yet, holding an exclusive lock (flock) on it from
    // before its name appears, so that no other process ever finds it there unlocked. The lock
    // goes with the file's closing.
    static WrittenFile createLocked(const std::filesystem::path& path);
    // Creates a file with a fresh hidden name beside the target (".<name>.XXXXXX"), for a
    // text that is later renamed over the target or removed.
    static WrittenFile temporaryBeside(const std::filesystem::path& target);

    WrittenFile(WrittenFile&& other) noexcept;
    WrittenFile& operator=(WrittenFile&&) = delete;
    WrittenFile(const WrittenFile&) = delete;
    WrittenFile& operator=(const WrittenFile&) = delete;
    ~WrittenFile();

    // Hands every byte to the operating system, however many writes that takes.
    void write(std::string_view bytes);
    // Puts the file's data on the disk (fdatasync), or its data and attributes (fsync).
    void syncData();
    void sync();
    // Closes the file; a failure then (some file systems only report one there) raises.
    void close();

    // Whether its path still names this file: nobody has renamed another file over it.
    bool stillNamed() const;

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

private:
    WrittenFile(int fd, std::filesystem::path path, std::filesystem::path reported);
    [[noreturn]] void fail(int errnoValue) const;

    int fd_;
    std::filesystem::path path_;
    std::filesystem::path reported_;
};

// A file with a fresh hidden name beside its target, removed when it goes unless it was renamed
// over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    WrittenFile& file() { return file_; }
    // Replaces the target with the file (closed first) in one step.
    void renameOverTarget();

private:
    std::filesystem::path target_;
    WrittenFile file_;
    bool renamed_ = false;
};

// An exclusive lock (flock) on an existing file, held while the object lives. Two processes
// never both hold one; a process that died holds none.
class FileLock {
public:
    // The lock, or nullopt when another process holds it (or the file cannot be opened).
    static std::optional<FileLock> tryTake(const std::filesystem::path& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}

    int fd_;
};

// Whether another process holds the lock on the file: a journal of a test still running.
bool lockedByAnother(const std::filesystem::path& path);

// The error of a failed write to the file: as platform::fileError, except that a missing folder on
// the way to a new file is "Path not found".
platform::AppError fileWriteError(int errnoValue, const std::filesystem::path& path);

// Puts the folder's entries on the disk, so a file just created there survives a power cut.
// Failures are passed over: the file's own data is synced either way.
void syncFolder(const std::filesystem::path& folder);

} // namespace settings
