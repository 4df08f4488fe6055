#pragma once

#include "reading_journal.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace datafile {

// The journal of the test under way. It is made with the test's first reading: beside the data
// file (<data file>.partial) or, while no data file is chosen, as
// <program folder>/data/unsaved-<YYYYMMDD-HHMMSS>.partial. A journal that fails is given up and
// the test goes on; its readings are still written to the data file at the end. Once the data
// file holds the readings the journal is removed; until then it is left on disk.
class RunJournal {
public:
    explicit RunJournal(std::filesystem::path programFolder)
        : programFolder_(std::move(programFolder)) {}

    // A new test, whose readings will be written with these units. The previous test's journal
    // is let go: if it is still on disk, its readings are nowhere else.
    void begin(std::string dataPath, std::string units, JournalPace pace,
               std::chrono::system_clock::time_point now);
    // The reading goes to the journal, the first one making it. When that fails the journal is
    // given up, and the failure's text is returned (this once).
    std::optional<std::string> append(const HP4140DataType& reading);
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

private:
    std::filesystem::path journalPath() const;
    std::string giveUp(const std::string& what);

    std::filesystem::path programFolder_;
    std::string dataPath_;
    std::string units_;
    JournalPace pace_ = JournalPace::EachReading;
    std::chrono::system_clock::time_point started_;
    std::unique_ptr<ReadingJournal> journal_;
    bool failed_ = false;
};

} // namespace datafile
