#pragma once

#include "data_collection.h"
#include "file_dialogs.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace datafile {

// Where readings go that have no data file: <program folder>/data/unsaved-<YYYYMMDD-HHMMSS> with
// the extension (".txt"), named by the local time.
std::filesystem::path unsavedReadingsPath(const std::filesystem::path& programFolder,
                                          std::chrono::system_clock::time_point now,
                                          std::string_view extension);

// The save dialog for data files: it starts in the program folder's data/ folder and asks
// before replacing a file.
app::FileDialogRequest dataFileDialogRequest(const std::filesystem::path& programFolder);

// Choosing the data file and writing the readings into it.
class DataFile {
public:
    DataFile(app::FileDialogs& dialogs, std::filesystem::path programFolder)
        : dialogs_(dialogs), programFolder_(std::move(programFolder)) {}

    // The file the user chooses in the save dialog; the current data path when they cancel.
    std::string getDataPath() const;

    // cmdBrowse_Click: the chosen file becomes the data path, returned for the path box.
    const std::string& browse() const;

    // Writes every reading to the data path, making its missing folders, in one atomic
    // replacement of the file. When that fails the user is told what failed and where and is
    // offered the save dialog to keep the readings elsewhere, until a file is written or the
    // dialog is cancelled. The readings are never touched. True when a file was written.
    bool SaveData(const DataCollection& readings, std::string_view units) const;

    // Writes every reading without asking anybody (the program has been told to stop): to the
    // data path, or, when there is none or it cannot be written, to the unsaved-readings path.
    // The path written; nullopt when no file could be written.
    std::optional<std::string> SaveDataUnasked(const DataCollection& readings,
                                               std::string_view units,
                                               std::chrono::system_clock::time_point now) const;

private:
    std::optional<std::string> askForDataFile() const;
    void tellWriteFailed(const std::string& path, std::size_t count) const;

    app::FileDialogs& dialogs_;
    std::filesystem::path programFolder_;
};

} // namespace datafile
