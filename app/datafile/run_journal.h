#pragma once

#include "data_collection.h"
#include "reading_journal.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace datafile {

// "The 21 readings are in /data/iv.txt.partial", "The reading is in ...".
std::string whereReadingsText(std::size_t count, const std::filesystem::path& file);

// The journal of the test under way. It is made and locked as the test starts, before anything
// is sent to the instrument: beside the data file (<data file>.partial) or, while no data file
// is chosen, as <program folder>/data/unsaved-<YYYYMMDD-HHMMSS>.partial. A journal that fails
// moves: the readings so far and every one after them go to a journal of the same name in
// <program folder>/data/, or failing that in the system's temporary folder; the readings are
// kept in memory either way. Once the data file holds the readings the journal is removed; until
// then it is left on disk. Every member is for the window thread, but syncForExit.
class RunJournal {
public:
    explicit RunJournal(std::filesystem::path programFolder)
        : programFolder_(std::move(programFolder)) {}

    // A new test, whose readings will be written with these units: its journal is made now.
    // Why it cannot be (in use by a running test, left by one that did not end, not writable),
    // or nullopt. The previous test's journal is let go: if it is still on disk, its readings
    // are nowhere else.
    std::optional<std::string> open(std::string dataPath, std::string units, JournalPace pace,
                                    std::chrono::system_clock::time_point now);
    // The test did not start after all: its journal, still empty, goes.
    void abandon() { remove(); }
    // The reading (the last of `all`) goes to the journal. When that fails the journal moves,
    // and what happened is returned (this once).
    std::optional<std::string> append(const HP4140DataType& reading, const DataCollection& all);
    // Before the data file is written: every reading appended is written and synced.
    void finish();
    // The data file holds the readings: the journal goes.
    void remove();

    // The journal on disk that holds every one of the test's readings, if there is one.
    std::optional<std::filesystem::path> complete() const;
    // A journal on disk that failed before it had every reading.
    std::optional<std::filesystem::path> partial() const;
    // "The 21 readings are in /data/iv.txt.partial" while the journal holds them all.
    std::optional<std::string> whereKept() const;

    // From another thread, when the program must end at once while the window thread is stuck:
    // every reading appended is put on the disk, and where they are is returned. Waits at most a
    // second for the window thread to leave the journal.
    std::optional<std::string> syncForExit();

private:
    std::filesystem::path firstPath() const;
    std::optional<std::string> moveOn(const std::string& failure, const DataCollection& all);
    bool startIn(const std::filesystem::path& path, const DataCollection& all);

    std::filesystem::path programFolder_;
    std::string dataPath_;
    std::string units_;
    JournalPace pace_ = JournalPace::EachReading;
    std::chrono::system_clock::time_point started_;
    std::unique_ptr<ReadingJournal> journal_;
    bool failed_ = false;
    mutable std::timed_mutex busy_;
};

} // namespace datafile
