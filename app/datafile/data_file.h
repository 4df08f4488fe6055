#pragma once

#include "data_collection.h"
#include "file_dialogs.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace datafile {

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

private:
    std::optional<std::string> askForDataFile() const;
    void tellWriteFailed(const std::string& path, std::size_t count) const;

    app::FileDialogs& dialogs_;
    std::filesystem::path programFolder_;
};

} // namespace datafile
