#pragma once

#include <filesystem>
#include <string>

namespace datafile {

// The full path of the data file, empty when none is chosen. The start-up sets it from the
// path box and the browse button from the save dialog; nothing else changes it.
std::string& AppDataPath();

// Where the dialogs for the user's measurement files start: the data file's folder, or the
// program folder's data/ while no data file is chosen.
std::filesystem::path dataFolder(const std::filesystem::path& programFolder);

} // namespace datafile
