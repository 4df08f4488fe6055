#pragma once

#include "settings/ini_document.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// An INI file on disk, read once and edited in memory; commit() writes every edit in one atomic
// replacement. Routines that write many keys (a window's controls) use it directly, so the file
// is rewritten once and a failure is reported once.
class IniFile {
public:
    // Reads the file now; a missing file reads as an empty one. Raises an AppError when a file
    // is there but cannot be read, so a later commit cannot wipe what it never saw.
    explicit IniFile(std::filesystem::path path);

    std::optional<std::string> value(std::string_view section, std::string_view key) const {
        return document_.value(section, key);
    }
    // Raises an AppError (5) for a name or value that one INI line cannot hold.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Writes the edits, creating the file when missing; does nothing when nothing was set.
    // Raises an AppError with the runtime file error numbers on failure.
    void commit();

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    IniDocument document_;
    bool changed_ = false;
};

} // namespace settings
