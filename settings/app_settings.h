#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace settings {

// The settings kept for the program rather than for a test set-up.
struct AppSettings {
    std::string currentConfigPath;
    std::int16_t boardId = 0;
    bool keepPreviousRun = false; // the chart keeps the last run when the next one starts
};

// Reads "Config"/"Path", "GPIB"/"BoardID" and "Chart"/"KeepPreviousRun" of the application
// settings file in the program folder; a missing file or key gives an empty path, board 0 and
// no previous run kept.
AppSettings LoadAppSettings(const std::filesystem::path& programFolder);

// Writes "BoardID=0" only when the file is new, and "Path" only when it names an existing file,
// so the last valid path survives a deleted configuration. Failures are ignored: nothing the
// user measured depends on this file.
void SaveAppSettings(const std::filesystem::path& programFolder,
                     const std::string& currentConfigPath);

// Empties "Config"/"Path": the next start takes its controls from the window's default file (the
// panel held a run record's set-up, which went there).
void ForgetConfigPath(const std::filesystem::path& programFolder);

// Who and what was measured last, kept for the next start in section "Sample" (keys Sample,
// Device, Operator, Comment); empty when not kept. Failures to write are ignored.
struct StoredSample {
    std::string sample;
    std::string device;
    std::string operatorName;
    std::string comment;
};
StoredSample LoadSample(const std::filesystem::path& programFolder);
void SaveSample(const std::filesystem::path& programFolder, const StoredSample& sample);

// Writes "Chart"/"KeepPreviousRun" as 1 or 0 at once, as the user changes it. A failure is
// ignored, as at exit.
void SaveKeepPreviousRun(const std::filesystem::path& programFolder, bool keep);

// On first use of a program folder (no config/ folder yet), copies the shipped example
// configurations into its config/ folder. Failures leave the folder as it was.
void SeedProgramFolder(const std::filesystem::path& programFolder,
                       const std::filesystem::path& shippedConfigFolder);

} // namespace settings
