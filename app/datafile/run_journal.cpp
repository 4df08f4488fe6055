#include "run_journal.h"

#include "data_file_names.h"
#include "data_file_start.h"

#include "platform/app_error.h"
#include "settings/form_utility.h"

#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace datafile {

namespace {

std::string errorText(const platform::AppError& error) {
    return std::to_string(error.number()) + ": " + error.description();
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

} // namespace

std::string whereReadingsText(std::size_t count, const fs::path& file) {
    return (count == 1 ? std::string("The reading is in ")
                       : "The " + std::to_string(count) + " readings are in ") +
           file.string();
}

fs::path RunJournal::firstPath() const {
    if (!dataPath_.empty())
        return journalPathOf(dataPath_);
    const fs::path unsaved = unsavedReadingsPath(programFolder_, started_, ".partial");
    FormUtility::MakePath(unsaved.string(), 0);
    return nextFreeName(unsaved);
}

std::optional<std::string> RunJournal::open(std::string dataPath, std::string units,
                                            JournalPace pace,
                                            std::chrono::system_clock::time_point now) {
    std::lock_guard lock(busy_);
    journal_.reset();
    failed_ = false;
    dataPath_ = std::move(dataPath);
    units_ = std::move(units);
    pace_ = pace;
    started_ = now;
    fs::path path;
    try {
        path = firstPath();
        journal_ = std::make_unique<ReadingJournal>(path, units_, pace_);
        return std::nullopt;
    } catch (const platform::AppError& error) {
        std::error_code ignored;
        if (path.empty() || !fs::exists(fs::symlink_status(path, ignored)))
            return "The journal " + path.string() + " cannot be made (" + errorText(error) +
                   "). Choose another data file.";
        return settings::lockedByAnother(path) ? journalInUseText(path) : journalInTheWayText(path);
    }
}

std::optional<std::string> RunJournal::append(const HP4140DataType& reading,
                                              const DataCollection& all) {
    std::lock_guard lock(busy_);
    if (failed_)
        return std::nullopt;
    try {
        if (!journal_)
            journal_ = std::make_unique<ReadingJournal>(firstPath(), units_, pace_);
        journal_->append(reading);
        return std::nullopt;
    } catch (const platform::AppError& error) {
        return moveOn(errorText(error), all);
    }
}

// The failed journal holds only part of the readings: a journal elsewhere takes all of them,
// and the failed one goes once it has (on a full disk that frees its space).
std::optional<std::string> RunJournal::moveOn(const std::string& failure,
                                              const DataCollection& all) {
    const fs::path failed = journal_ ? journal_->path() : firstPath();
    const std::string said =
        "The journal " + failed.string() + " could not be written (" + failure + ")";
    const fs::path name = failed.filename();
    for (const fs::path& folder : {programFolder_ / "data", fs::temp_directory_path()}) {
        if (sameFolder(folder, failed.parent_path()))
            continue;
        if (startIn(nextFreeName(folder / name), all))
            return said + "; the test goes on, and its readings now go to " +
                   journal_->path().string() + ".";
    }
    failed_ = true;
    return said + ", nor anywhere else; the test goes on, and its readings are written to the "
                  "data file when it ends.";
}

bool RunJournal::startIn(const fs::path& path, const DataCollection& all) {
    try {
        FormUtility::MakePath(path.string(), 0);
        auto moved = std::make_unique<ReadingJournal>(path, units_, pace_);
        moved->appendAll(all);
        if (journal_)
            journal_->remove();
        journal_ = std::move(moved);
        return true;
    } catch (const platform::AppError&) {
        return false;
    }
}

void RunJournal::finish() {
    std::lock_guard lock(busy_);
    if (!journal_ || failed_)
        return;
    try {
        journal_->flush();
    } catch (const platform::AppError&) {
        failed_ = true;
    }
}

void RunJournal::remove() {
    std::lock_guard lock(busy_);
    if (journal_)
        journal_->remove();
    journal_.reset();
    failed_ = false;
}

std::optional<fs::path> RunJournal::complete() const {
    if (!journal_ || failed_)
        return std::nullopt;
    return journal_->path();
}

std::optional<fs::path> RunJournal::partial() const {
    if (!journal_ || !failed_)
        return std::nullopt;
    return journal_->path();
}

std::optional<std::string> RunJournal::whereKept() const {
    const auto journal = complete();
    if (!journal)
        return std::nullopt;
    return whereReadingsText(static_cast<std::size_t>(journal_->readings()), *journal);
}

std::optional<std::string> RunJournal::syncForExit() {
    std::unique_lock lock(busy_, std::chrono::seconds(1));
    if (!lock.owns_lock())
        return std::nullopt;
    if (!journal_ || failed_)
        return std::nullopt;
    try {
        journal_->flush();
    } catch (const platform::AppError&) {
        return std::nullopt;
    }
    return whereKept();
}

} // namespace datafile
