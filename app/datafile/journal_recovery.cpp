#include "journal_recovery.h"

#include "data_file_names.h"
#include "data_file_text.h"

#include "platform/app_error.h"
#include "platform/message_box.h"
#include "settings/written_file.h"

#include <map>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafile {

namespace {

enum Answer : std::size_t { kRecover, kDiscard, kLater };

std::string readingsText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " reading" : " readings");
}

std::string errorText(const platform::AppError& error) {
    return std::to_string(error.number()) + ": " + error.description() + ".";
}

std::string recoveredText(const Recovery& recovery) {
    std::string text = "The " + readingsText(recovery.contents.lines.size()) + " of " +
                       recovery.journal.string() + " are in " + recovery.file.string() + ".";
    if (recovery.contents.skipped > 0)
        text += " " + std::to_string(recovery.contents.skipped) + " malformed lines were left out.";
    if (recovery.contents.unfinished)
        text += " An unfinished last line was left out.";
    return text;
}

std::size_t askAbout(const fs::path& journal, const DataFileContents& contents) {
    return platform::messageBox().ask(
        "A test that did not end left " + readingsText(contents.lines.size()) +
            " in its journal\n" + journal.string() + "\n\nRecover: write them into " +
            recoveredPathOf(journal).filename().string() +
            " and show them.\nDiscard: delete the journal.\nLater: leave it as it is.",
        {"Recover", "Discard", "Later"}, kRecover);
}

// A file that fails on the way is removed, so that only whole files carry the name.
void writeNewFile(const fs::path& path, std::string_view text) {
    settings::WrittenFile file = settings::WrittenFile::create(path);
    try {
        file.write(text);
        file.sync();
        file.close();
    } catch (const platform::AppError&) {
        ::unlink(path.c_str());
        throw;
    }
    settings::syncFolder(path.parent_path());
}

void discard(const fs::path& journal) {
    if (::unlink(journal.c_str()) != 0)
        throw platform::fileError(errno, journal.string(), "Discard");
}

} // namespace

// A folder reached by two paths (the stored data path's folder is often the data folder) gives
// each journal once, under the first path.
std::vector<fs::path> findJournals(const std::vector<fs::path>& folders) {
    std::map<fs::path, fs::path> found;
    for (const fs::path& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            const fs::path& path = entry->path();
            if (path.extension() != kJournalExtension || !isDataFile(path))
                continue;
            std::error_code unresolved;
            const fs::path canonical = fs::weakly_canonical(path, unresolved);
            found.try_emplace(unresolved ? path : canonical, path);
        }
    }
    std::vector<fs::path> journals;
    for (const auto& [canonical, path] : found)
        journals.push_back(path);
    return journals;
}

Recovery recoverJournal(const fs::path& journal) {
    Recovery recovery{journal, recoveredPathOf(journal), readDataFile(journal)};
    std::string text(kDataFileHeader);
    text.append(kLineEnd);
    for (const DataFileLine& line : recovery.contents.lines)
        text.append(line.text).append(kLineEnd);
    writeNewFile(recovery.file, text);
    discard(journal);
    return recovery;
}

JournalOutcome offerJournal(const fs::path& journal,
                            const std::function<void(const Recovery&)>& show) {
    const std::optional<settings::FileLock> held = settings::FileLock::tryTake(journal);
    if (!held)
        return JournalOutcome::InUse;
    try {
        switch (askAbout(journal, readDataFile(journal))) {
        case kRecover: {
            const Recovery recovery = recoverJournal(journal);
            show(recovery);
            platform::messageBox().show(recoveredText(recovery), "", platform::mb::Information);
            return JournalOutcome::Recovered;
        }
        case kDiscard:
            discard(journal);
            return JournalOutcome::Discarded;
        default:
            return JournalOutcome::Kept;
        }
    } catch (const platform::AppError& error) {
        platform::messageBox().show(errorText(error) + " The journal " + journal.string() +
                                        " is left as it is.",
                                    "", platform::mb::Exclamation);
        return JournalOutcome::Kept;
    }
}

std::string journalFoundText(const fs::path& journal) {
    std::string count;
    try {
        count = " (" + readingsText(readDataFile(journal).lines.size()) + ")";
    } catch (const platform::AppError&) {
    }
    return "A test that did not end left its journal " + journal.string() + count +
           "; it stays there until the program's window recovers or discards it.";
}

} // namespace datafile
