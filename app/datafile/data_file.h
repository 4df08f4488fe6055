#pragma once

#include "data_collection.h"
#include "data_file_names.h"
#include "file_dialogs.h"
#include "run_journal.h"

#include "app/session/session.h"
#include "platform/app_error.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace datafile {

// The save dialog for data files: it starts in the program folder's data/ folder and asks
// before replacing a file.
app::FileDialogRequest dataFileDialogRequest(const std::filesystem::path& programFolder);

// Choosing the data file, and writing the readings into it and, while a test runs, into its
// journal.
class DataFile {
public:
    // The data path is the session's; browse() sets it there.
    DataFile(app::FileDialogs& dialogs, const std::filesystem::path& programFolder,
             app::Session& session)
        : dialogs_(dialogs), programFolder_(programFolder), session_(session),
          journal_(programFolder) {}

    // The data path, empty when no data file is chosen.
    const std::string& path() const { return session_.dataPath(); }
    // Where the dialogs for the user's measurement files start (see dataFolder).
    std::filesystem::path folder() const { return dataFolder(path(), programFolder_); }

    // The file the user chooses in the save dialog; the current data path when they cancel.
    std::string getDataPath() const;

    // cmdBrowse_Click: the chosen file becomes the session's data path.
    void browse();
    // True when the save dialog chose this very file since the last call: the dialog has asked
    // before replacing it, so nobody need ask again.
    bool takeReplaceAnswer(const std::string& path);

    // The journal of the test under way.
    RunJournal& journal() { return journal_; }

    // Writes every reading to the data path, making its missing folders, in one atomic
    // replacement of the file, and then removes the test's journal. A run record, when given,
    // goes beside the data file (runRecordPathOf), written with it: both files are replaced, or
    // neither. When that fails the user is told what failed, where, and where the readings are
    // kept, and is offered the save dialog to keep them elsewhere, until a file is written or the
    // dialog is cancelled; the journal stays. The readings are never touched. True when a file
    // was written.
    bool SaveData(const DataCollection& readings, std::string_view units,
                  std::string_view record = {});

    // What a save that asks nobody did: the file written, if any, and why each file before it
    // could not be ("The data file /d/iv.txt could not be written (61: Disk full ...)").
    struct UnaskedSave {
        std::optional<std::string> written;
        std::vector<std::string> failures;
    };

    // Writes every reading (and the run record) without asking anybody (the program has been
    // told to stop, or nobody is there to ask): to the data path, or, when there is none or it
    // cannot be written, to the unsaved-readings path, and failing that to the same name in the
    // system's temporary folder; the journal goes once one is written.
    UnaskedSave SaveDataUnasked(const DataCollection& readings, std::string_view units,
                                std::chrono::system_clock::time_point now,
                                std::string_view record = {});

    // The data file the last save wrote, if it wrote one.
    const std::optional<std::string>& lastWritten() const { return lastWritten_; }

private:
    std::optional<std::string> askForDataFile() const;
    void tellWriteFailed(const std::string& path, std::size_t count,
                         const platform::AppError& error) const;

    app::FileDialogs& dialogs_;
    std::filesystem::path programFolder_;
    app::Session& session_;
    RunJournal journal_;
    std::string replaceAnswered_;
    std::optional<std::string> lastWritten_;
};

} // namespace datafile
