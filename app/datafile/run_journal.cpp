#include "run_journal.h"

#include "data_file_names.h"

#include "platform/app_error.h"
#include "settings/form_utility.h"

namespace datafile {

void RunJournal::begin(std::string dataPath, std::string units, JournalPace pace,
                       std::chrono::system_clock::time_point now) {
    journal_.reset();
    failed_ = false;
    dataPath_ = std::move(dataPath);
    units_ = std::move(units);
    pace_ = pace;
    started_ = now;
}

std::filesystem::path RunJournal::journalPath() const {
    if (!dataPath_.empty())
        return journalPathOf(dataPath_);
    const std::filesystem::path unsaved = unsavedReadingsPath(programFolder_, started_, ".partial");
    FormUtility::MakePath(unsaved.string(), 0);
    return nextFreeName(unsaved);
}

std::optional<std::string> RunJournal::append(const HP4140DataType& reading) {
    if (failed_)
        return std::nullopt;
    try {
        if (!journal_)
            journal_ = std::make_unique<ReadingJournal>(journalPath(), units_, pace_);
        journal_->append(reading);
        return std::nullopt;
    } catch (const platform::AppError& error) {
        return giveUp(std::to_string(error.number()) + ": " + error.description());
    }
}

std::string RunJournal::giveUp(const std::string& what) {
    failed_ = true;
    return "The journal of this test could not be written (" + what +
           "). The test goes on; its readings are written to the data file when it ends.";
}

void RunJournal::finish() {
    if (!journal_ || failed_)
        return;
    try {
        journal_->flush();
    } catch (const platform::AppError&) {
        failed_ = true;
    }
}

void RunJournal::remove() {
    if (journal_)
        journal_->remove();
    journal_.reset();
    failed_ = false;
}

std::optional<std::filesystem::path> RunJournal::complete() const {
    if (!journal_ || failed_)
        return std::nullopt;
    return journal_->path();
}

std::optional<std::filesystem::path> RunJournal::partial() const {
    if (!journal_ || !failed_)
        return std::nullopt;
    return journal_->path();
}

std::optional<std::string> RunJournal::whereKept() const {
    const auto journal = complete();
    if (!journal)
        return std::nullopt;
    const std::int32_t count = journal_->readings();
    return (count == 1 ? std::string("The reading is in ")
                       : "The " + std::to_string(count) + " readings are in ") +
           journal->string();
}

} // namespace datafile
