#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace settings {

// The two settings needed before the main window exists.
struct AppSettings {
    std::string currentConfigPath;
    std::int16_t boardId = 0;
};

// Reads "Config"/"Path" and "GPIB"/"BoardID" of the application settings file in the program
// folder; a missing file or key gives an empty path and board 0.
AppSettings LoadAppSettings(const std::filesystem::path& programFolder);

// Writes "BoardID=0" only when the file is new, and "Path" only when it names an existing file,
// so the last valid path survives a deleted configuration. Failures are ignored: nothing the
// user measured depends on this file.
void SaveAppSettings(const std::filesystem::path& programFolder,
                     const std::string& currentConfigPath);

// On first use of a program folder (no config/ folder yet), copies the shipped example
// configurations into its config/ folder. Failures leave the folder as it was.
void SeedProgramFolder(const std::filesystem::path& programFolder,
                       const std::filesystem::path& shippedConfigFolder);

} // namespace settings
