#pragma once

// The journals of tests that did not end: found, offered to the user, and recovered into data
// files or discarded.

#include "data_file_reader.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace datafile {

// The journals in these folders: files named *.partial that start with the data file's header,
// each once, by path. Folders that do not exist are passed over.
std::vector<std::filesystem::path> findJournals(const std::vector<std::filesystem::path>& folders);

// A journal turned into a data file.
struct Recovery {
    std::filesystem::path journal;
    std::filesystem::path file; // the data file written
    DataFileContents contents;  // its readings, and what was left out
};

// Writes the journal's reading lines as they stand into a new data file beside it (never over an
// existing file), then removes the journal. Raises an AppError when either fails; the journal
// then stays.
Recovery recoverJournal(const std::filesystem::path& journal);

// What became of a journal offered to the user.
enum class JournalOutcome { Recovered, Discarded, Kept, InUse };

// Asks about the journal: "Recover" (the default) writes the recovered data file, hands it to
// show and says where it is; "Discard" deletes the journal; "Later" leaves it. A failure is shown
// and keeps the journal. The journal's lock is taken first and held throughout: a journal that
// a running test holds is not offered at all (InUse).
JournalOutcome offerJournal(const std::filesystem::path& journal,
                            const std::function<void(const Recovery&)>& show);

// What a run nobody watches says about a journal it finds.
std::string journalFoundText(const std::filesystem::path& journal);

} // namespace datafile
