#pragma once

#include "data_collection.h"
#include "hp4140/hp4140_data.h"
#include "settings/written_file.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace datafile {

// How a journal hands its lines to the operating system.
enum class JournalPace {
    // Each line at once, and onto the disk at most once a second: a program that is killed
    // loses at most the reading it was writing, a power cut about a second more.
    EachReading,
    // In blocks of about 64 KiB, unsynced: a dry run files simulated readings far faster than
    // a disk takes lines.
    Blocks,
};

// A run's readings as they come, in a file of their own: the data file's header line, then each
// reading's line as the data file will hold it, so that a journal is itself a data file. It is
// always a new file, never one that was there before, and it is locked (flock) for as long as it
// is open, so that another process can tell a running test's journal from one a crash left.
class ReadingJournal {
public:
    // Raises an AppError naming the path when the file exists or cannot be made.
    ReadingJournal(const std::filesystem::path& path, std::string units, JournalPace pace);

    // Raises an AppError when the line cannot be written.
    void append(const HP4140DataType& reading);
    // Every reading of the collection, as a journal taking over from one that failed.
    void appendAll(const DataCollection& readings);
    // Writes the lines still waiting, so that the file holds every reading appended, and in
    // real time syncs it.
    void flush();

    // Removes the file, unless another file has taken its name (a data file saved over it).
    void remove();

    const std::filesystem::path& path() const { return file_.path(); }
    std::int32_t readings() const { return readings_; }

private:
    void writePending();
    void appendLine(const HP4140DataType& reading);

    settings::WrittenFile file_;
    std::string units_;
    JournalPace pace_;
    std::string pending_;
    std::chrono::steady_clock::time_point lastSync_;
    std::int32_t readings_ = 0;
};

} // namespace datafile
