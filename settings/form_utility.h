#pragma once

// FormUtility: the small file and path routines every part of the program uses. Paths use "/"
// as the separator. None of them keeps state between calls.

#include "settings/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace FormUtility {

inline constexpr std::size_t kIniReadBuffer = 10055;
// File-name and extension parts of a path are cut at this many characters.
inline constexpr std::size_t kPathPartLimit = 255;

// The key's value, or the default when the key is absent or empty or the file cannot be read.
std::string ReadIniString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, const std::filesystem::path& file);
std::string ReadIniString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, const settings::IniDocument& document);

// Field n (from 1) of a text split at the delimiter. n of 1 or less gives the first field when
// the text holds a delimiter; n beyond the last field, or below 1 in a text without
// delimiter, gives an empty text.
std::string GetField(std::string_view text, std::int16_t n, std::string_view delimiter = "\t");

// Parts of a path: 1 the folder with its trailing "/", 2 the base name, 3 the extension
// without the dot, 4 the path without its extension, 5 the file name; any other part the
// whole path.
std::string PathPart(std::string_view path, std::int16_t part);

// True when the file's (or folder's) modification time can be read.
bool FileExists(const std::filesystem::path& path);

// Writes the text and CR LF as the whole file; failures are ignored (writeFileAtomically
// reports them).
void WriteTextFile(const std::filesystem::path& path, std::string_view text);

// True when the root of the path answers (there are no drive letters here).
bool DriveExists(std::string_view path);

// An absolute path ("/" for an empty one; a relative one is taken from the current folder)
// holding no control characters (bytes below 32, and 127), with doubled "/" collapsed; every
// other character, blanks included, is kept. Mode 1 ends it with "/".
std::string CleanPath(std::string_view path, std::int16_t mode = 0);

// The path as the program once cleaned it (also dropping '"', '*', ':', '|', '\' and blanks
// next to a "/"), to find a file it wrote under that name.
std::string LegacyCleanPath(std::string_view path);

// Makes every folder of the path up to its last "/" (the file name itself is not made).
// Mode 0 creates missing folders silently, 1 asks before creating each one, 2 never creates;
// any other mode passes over missing folders. False when the path holds no "/", when the user
// declines or mode 2 meets a missing folder. A folder that cannot be created raises an AppError.
// The current directory is never changed.
bool MakePath(std::string_view path, std::int16_t mode = 0);

// Shows the current error: number ": " description ". " comment, exclamation icon.
void ShowCurrentError(std::string_view comment = {});

} // namespace FormUtility
