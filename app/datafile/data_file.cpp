#include "data_file.h"

#include "data_file_text.h"

#include "platform/app_error.h"
#include "platform/message_box.h"
#include "settings/form_utility.h"
#include "settings/whole_file.h"

#include <utility>
#include <vector>

namespace datafile {

namespace {

constexpr const char* kSaveDataSource = "SaveData";

// The record first: once the data file is in place, its record is too. Raises an AppError
// naming what failed.
void writeDataFile(const std::string& path, std::string_view text, std::string_view record) {
    if (path.empty())
        throw platform::AppError(platform::errnum::PathFileAccess,
                                 "Path/File access error (no data file is chosen)",
                                 kSaveDataSource);
    FormUtility::MakePath(path, 0);
    std::vector<settings::FileContents> files;
    if (!record.empty())
        files.push_back({runRecordPathOf(path), record});
    files.push_back({path, text});
    settings::writeFilesAtomically(files);
}

// The dialog opens in the data folder even before the first file is written there; a folder
// that cannot be made only lets the dialog open elsewhere.
void makeFolderIfPossible(const std::string& folder) {
    try {
        FormUtility::MakePath(folder, 0);
    } catch (const platform::AppError&) {
    }
}

// Why the file could not be written, or nullopt once it is.
std::optional<platform::AppError> tryWrite(const std::string& path, std::string_view text,
                                           std::string_view record) {
    try {
        writeDataFile(path, text, record);
        return std::nullopt;
    } catch (const platform::AppError& error) {
        return error;
    }
}

// Where readings go that the data file could not take: the program folder's data/, then the
// system's temporary folder (which a full or read-only program folder leaves).
std::vector<std::string> unsavedPaths(const std::filesystem::path& programFolder,
                                      std::chrono::system_clock::time_point now) {
    const std::filesystem::path unsaved = unsavedReadingsPath(programFolder, now, ".txt");
    return {unsaved.string(),
            (std::filesystem::temp_directory_path() / unsaved.filename()).string()};
}

std::string failureText(const std::string& path, const platform::AppError& error) {
    return "The data file " + path + " could not be written (" + std::to_string(error.number()) +
           ": " + error.description() + ")";
}

} // namespace

app::FileDialogRequest dataFileDialogRequest(const std::filesystem::path& programFolder) {
    app::FileDialogRequest request;
    request.title = "Save Data File As...";
    request.folder = programFolder / "data" / "";
    request.filters = {"Data Files (*.txt)", "All (*.*)"};
    request.defaultSuffix = "txt";
    request.confirmOverwrite = true;
    return request;
}

std::optional<std::string> DataFile::askForDataFile() const {
    const app::FileDialogRequest request = dataFileDialogRequest(programFolder_);
    makeFolderIfPossible(request.folder.string());
    return dialogs_.getSaveFileName(request);
}

std::string DataFile::getDataPath() const {
    return askForDataFile().value_or(path());
}

void DataFile::browse() {
    if (std::optional<std::string> chosen = askForDataFile()) {
        replaceAnswered_ = *chosen;
        session_.setDataPath(std::move(*chosen));
    }
}

bool DataFile::takeReplaceAnswer(const std::string& path) {
    const std::string answered = std::exchange(replaceAnswered_, {});
    return !answered.empty() && path == answered;
}

bool DataFile::SaveData(const DataCollection& readings, std::string_view units,
                        std::string_view record) {
    journal_.finish();
    lastWritten_.reset();
    const std::string text = dataFileText(readings, units);
    std::string path = this->path();
    while (const std::optional<platform::AppError> failed = tryWrite(path, text, record)) {
        tellWriteFailed(path, readings.Count(), *failed);
        const std::optional<std::string> elsewhere = askForDataFile();
        if (!elsewhere)
            return false;
        path = *elsewhere;
    }
    journal_.remove();
    lastWritten_ = path;
    return true;
}

DataFile::UnaskedSave DataFile::SaveDataUnasked(const DataCollection& readings,
                                                std::string_view units,
                                                std::chrono::system_clock::time_point now,
                                                std::string_view record) {
    journal_.finish();
    lastWritten_.reset();
    const std::string text = dataFileText(readings, units);
    std::vector<std::string> paths = unsavedPaths(programFolder_, now);
    if (!path().empty())
        paths.insert(paths.begin(), path());
    UnaskedSave save;
    for (const std::string& candidate : paths) {
        if (const std::optional<platform::AppError> failed = tryWrite(candidate, text, record)) {
            save.failures.push_back(failureText(candidate, *failed));
            continue;
        }
        journal_.remove();
        lastWritten_ = candidate;
        save.written = candidate;
        return save;
    }
    return save;
}

void DataFile::tellWriteFailed(const std::string& path, std::size_t count,
                               const platform::AppError& error) const {
    const std::string where = path.empty() ? "no data file was chosen" : "\"" + path + "\"";
    const std::string text =
        std::to_string(error.number()) + ": " + error.description() +
        ".\nThe data file could not be written: " + where + ". " +
        journal_.whereKept().value_or("The " + std::to_string(count) + " readings are kept") +
        ". Choose a file to save them in.";
    platform::messageBox().show(text, platform::kAppTitle, platform::mb::Exclamation);
}

} // namespace datafile
