#include "data_file_start.h"

#include "data_file_names.h"
#include "data_file_text.h"

#include "platform/app_error.h"
#include "platform/message_box.h"
#include "settings/form_utility.h"
#include "settings/whole_file.h"
#include "settings/written_file.h"

#include <system_error>

namespace fs = std::filesystem;

namespace datafile {

namespace {

enum Answer : std::size_t { kKeepBoth, kReplace, kCancel };

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Each file is written under a hidden temporary name beside it, longer than its own, so writing
// one there in the real folder also proves that no name the run will write is too long.
void probeName(const fs::path& file, bool sync) {
    settings::TemporaryFile probe(settings::resolveLinks(file));
    probe.file().write(std::string(kDataFileHeader) + std::string(kLineEnd));
    if (sync)
        probe.file().sync();
    probe.file().close();
}

void probe(const std::string& dataPath) {
    const fs::path target = settings::resolveLinks(dataPath);
    std::error_code error;
    if (!target.has_filename() || fs::is_directory(target, error))
        throw platform::AppError(platform::errnum::PathFileAccess,
                                 "Path/File access error (" + dataPath + " is a folder)",
                                 "probeRefusal");
    FormUtility::MakePath(target.string(), 0);
    probeName(target, true);
    probeName(runRecordPathOf(dataPath), false);
    probeName(journalPathOf(dataPath), false);
}

} // namespace

std::optional<std::string> probeRefusal(const std::string& dataPath) {
    try {
        probe(dataPath);
        return std::nullopt;
    } catch (const platform::AppError& error) {
        return "The data file " + dataPath + " cannot be written (" +
               std::to_string(error.number()) + ": " + error.description() +
               "). Choose another data file.";
    }
}

std::string journalInTheWayText(const fs::path& journal) {
    return "The journal of an earlier test that did not end is in the way: " + journal.string() +
           ". Recover or discard it, or choose another data file.";
}

std::string journalInUseText(const fs::path& journal) {
    return "The journal " + journal.string() +
           " is in use by a running test. Choose another data file.";
}

std::optional<std::string> DataFileStart::refusal(const std::string& dataPath,
                                                  bool unattended) const {
    if (dataPath.empty())
        return std::nullopt;
    if (auto refused = probeRefusal(dataPath))
        return refused;
    const fs::path journal = journalPathOf(dataPath);
    if (!isThere(journal))
        return std::nullopt;
    if (settings::lockedByAnother(journal))
        return journalInUseText(journal);
    if (unattended)
        return journalInTheWayText(journal);
    return std::nullopt;
}

std::optional<std::string> DataFileStart::confirm(const std::string& dataPath,
                                                  bool replaceAnswered) {
    if (dataPath.empty())
        return dataPath;
    if (const fs::path journal = journalPathOf(dataPath);
        isThere(journal) && !journalOutOfTheWay(journal))
        return std::nullopt;
    if (replaceAnswered || !isThere(dataPath))
        return dataPath;
    const fs::path keepBoth = keepBothName(dataPath);
    const std::size_t answer = platform::messageBox().ask(
        "The data file already exists:\n" + dataPath + "\n\nKeep both: this test goes to " +
            keepBoth.filename().string() + ".\nReplace: this test replaces it.",
        {"Keep both", "Replace", "Cancel"}, kKeepBoth);
    if (answer == kReplace)
        return dataPath;
    if (answer != kKeepBoth)
        return std::nullopt;
    if (dataPath != keptBothAs_)
        keptBoth_ = dataPath;
    keptBothAs_ = keepBoth.string();
    return keptBothAs_;
}

bool DataFileStart::journalOutOfTheWay(const fs::path& journal) {
    switch (offerJournal(journal, showRecovery_)) {
    case JournalOutcome::Discarded:
        return true;
    case JournalOutcome::Kept:
        platform::messageBox().show(journalInTheWayText(journal), "",
                                    platform::mb::OkOnly | platform::mb::Exclamation);
        return false;
    case JournalOutcome::InUse:
        platform::messageBox().show(journalInUseText(journal), "",
                                    platform::mb::OkOnly | platform::mb::Exclamation);
        return false;
    case JournalOutcome::Recovered:
        return false;
    }
    return false;
}

fs::path DataFileStart::keepBothName(const std::string& dataPath) const {
    return nextFreeName(dataPath == keptBothAs_ ? keptBoth_ : dataPath);
}

} // namespace datafile
