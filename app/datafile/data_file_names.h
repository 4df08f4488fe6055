#pragma once

// The names of the files around a data file: readings without one, its journal and its run
// record, a free name beside it, the file a journal is recovered into.

#include <chrono>
#include <filesystem>
#include <string_view>

namespace datafile {

inline constexpr std::string_view kJournalExtension = ".partial";

// Where readings go that have no data file: <program folder>/data/unsaved-<YYYYMMDD-HHMMSS> with
// the extension (".txt"), named by the local time.
std::filesystem::path unsavedReadingsPath(const std::filesystem::path& programFolder,
                                          std::chrono::system_clock::time_point now,
                                          std::string_view extension);

// Where the dialogs for the user's measurement files start: the data file's folder, or the
// program folder's data/ while no data file is chosen.
std::filesystem::path dataFolder(const std::filesystem::path& dataPath,
                                 const std::filesystem::path& programFolder);

// The journal of a data file: "iv.txt" has "iv.txt.partial".
std::filesystem::path journalPathOf(const std::filesystem::path& dataPath);

// The run record of a data file: "iv.txt" has "iv.run.ini". Only the data files' own extension
// is left out, so "iv.dat" (with "iv.dat.run.ini") never shares a record with "iv.txt".
std::filesystem::path runRecordPathOf(const std::filesystem::path& dataPath);

// The path itself when neither it nor its journal exists; otherwise the first such name with
// -2, -3 ... before the extension ("iv.txt", "iv-2.txt", "iv-3.txt").
std::filesystem::path nextFreeName(const std::filesystem::path& path);

// Where a journal is recovered to: "iv.txt.partial" into "iv-recovered.txt", or the next free
// name after it.
std::filesystem::path recoveredPathOf(const std::filesystem::path& journal);

} // namespace datafile
