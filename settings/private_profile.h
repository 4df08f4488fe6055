#pragma once

// The private-profile calls by their familiar names, thin over IniFile. They never raise:
// reads fall back to the default, a failed write returns false and leaves the reason as the
// current error (platform::currentError()).

#include "settings/ini_document.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace settings {

// The key's value cut to bufferSize - 1 characters, or the default (without trailing blanks)
// when the file, the section or the key is absent or the file cannot be read.
std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize,
                                     const std::filesystem::path& file);

// The integer at the start of the key's value ("12abc" gives 12, "abc" 0, "-3" -3, clamped to
// the int range), or the default when the key is absent or its value empty.
int GetPrivateProfileIntA(std::string_view section, std::string_view key, int defaultValue,
                          const std::filesystem::path& file);

// The same two reads on a file already read into a document.
std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize,
                                     const IniDocument& document);
int GetPrivateProfileIntA(std::string_view section, std::string_view key, int defaultValue,
                          const IniDocument& document);

// Sets one key, creating the file and the section when missing; true when the file was written.
bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const std::filesystem::path& file);

} // namespace settings
