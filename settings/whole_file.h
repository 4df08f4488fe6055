#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace settings {

// The file a path finally names once symbolic links are followed; the path itself when it is
// not a link. A dangling link gives the file it points to, so writing creates that file.
std::filesystem::path resolveLinks(const std::filesystem::path& path);

// The whole file, or nullopt when there is none. Raises an AppError when a file is there but
// cannot be read, so that a caller never mistakes an unreadable file for an empty one, and when
// it holds more than the limit (never reading much past it: /dev/zero has no end).
std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                         std::optional<std::size_t> limit = std::nullopt);

// Replaces the file's contents in one step: the text goes to a temporary file in the same
// folder, which is flushed to disk and renamed over the file. A reader sees the old file or the
// new one, never a torn one. Symbolic links are written through to their target; the target's
// mode (and owner, where allowed) is kept; a new file gets 0666 less the umask. Failures raise
// an AppError with the runtime numbers: 76 path not found, 70 permission denied, 61 disk full,
// 57 device I/O error, 75 any other path or file access error.
void writeFileAtomically(const std::filesystem::path& path, std::string_view contents);

struct FileContents {
    std::filesystem::path path;
    std::string_view contents;
};

// Replaces several files that belong together, each as writeFileAtomically replaces one: every
// text is written and flushed first, and only then are the files renamed over their targets, in
// the order given. A failure while writing leaves every file as it was.
void writeFilesAtomically(std::span<const FileContents> files);

} // namespace settings
