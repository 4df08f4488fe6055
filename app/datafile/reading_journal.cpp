#include "reading_journal.h"

#include "data_file_text.h"

#include <unistd.h>

namespace datafile {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
constexpr std::size_t kLineSpace = 512;
// Real seconds, whatever clock paces the test.
constexpr auto kSyncInterval = std::chrono::seconds(1);

} // namespace

ReadingJournal::ReadingJournal(const std::filesystem::path& path, std::string units,
                               JournalPace pace)
    : file_(settings::WrittenFile::createLocked(path)), units_(std::move(units)), pace_(pace) {
    pending_.reserve(pace == JournalPace::Blocks ? kBlockSize + kLineSpace : kLineSpace);
    pending_.append(kDataFileHeader).append(kLineEnd);
    if (pace_ == JournalPace::EachReading) {
        flush();
        settings::syncFolder(path.parent_path());
        lastSync_ = std::chrono::steady_clock::now();
    }
}

void ReadingJournal::appendLine(const HP4140DataType& reading) {
    appendDataFileLine(pending_, reading, units_);
    pending_.append(kLineEnd);
    ++readings_;
}

void ReadingJournal::append(const HP4140DataType& reading) {
    appendLine(reading);
    if (pace_ == JournalPace::Blocks) {
        if (pending_.size() >= kBlockSize)
            writePending();
        return;
    }
    writePending();
    const auto now = std::chrono::steady_clock::now();
    if (now - lastSync_ >= kSyncInterval) {
        file_.syncData();
        lastSync_ = now;
    }
}

void ReadingJournal::appendAll(const DataCollection& readings) {
    for (const auto& reading : readings) {
        appendLine(*reading);
        if (pending_.size() >= kBlockSize)
            writePending();
    }
    writePending();
    file_.syncData();
    lastSync_ = std::chrono::steady_clock::now();
}

// A dry run's readings are simulated: syncing them would only slow the run down.
void ReadingJournal::flush() {
    writePending();
    if (pace_ == JournalPace::EachReading)
        file_.syncData();
}

void ReadingJournal::remove() {
    if (file_.stillNamed())
        ::unlink(path().c_str());
}

void ReadingJournal::writePending() {
    file_.write(pending_);
    pending_.clear();
}

} // namespace datafile
