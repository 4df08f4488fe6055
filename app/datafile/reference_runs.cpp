#include "reference_runs.h"

#include "data_file_names.h"
#include "data_file_reader.h"

#include "platform/app_error.h"
#include "settings/configuration_file.h"
#include "settings/ini_document.h"
#include "settings/setting_keys.h"
#include "settings/whole_file.h"

#include <algorithm>

namespace datafile {

// What the run record beside a data file says of its run; a file without one says nothing.
void describeFromRecord(ReferenceRun& run) {
    const std::filesystem::path record = runRecordPathOf(run.dataFile);
    std::optional<std::string> text;
    try {
        text = settings::readWholeFile(record, settings::kMostConfigurationBytes);
    } catch (const platform::AppError&) {
        return; // an unreadable record tells nothing; the readings still show
    }
    if (!text)
        return;
    const settings::IniDocument document(*text);
    namespace keys = settings::keys;
    const auto value = [&](const char* section, const char* key) {
        return document.value(section, key).value_or("");
    };
    run.sample = value(keys::kRunSampleSection, keys::kRunSample);
    run.device = value(keys::kRunSampleSection, keys::kRunDevice);
    run.outcome = value(keys::kRunSection, keys::kRunOutcome);
    const std::string function = value(keys::kFormSection, "optionFunction(1)") == "1"   ? "IV"
                                 : value(keys::kFormSection, "optionFunction(2)") == "1" ? "CV"
                                 : value(keys::kFormSection, "optionFunction(0)") == "1" ? "I"
                                                                                         : "";
    run.function = function;
}

OpenedReference ReferenceRuns::open(const std::filesystem::path& path,
                                    std::string_view chartUnits) {
    const DataFileContents contents = readDataFile(path);
    // A last line without its line end may have lost digits of any field, so it is left out
    // too, and counted with the malformed ones.
    OpenedReference opened{contents.lines.size(), contents.skipped + (contents.unfinished ? 1 : 0),
                           contents.lines.empty() ? "" : contents.lines.front().units, false};
    if (contents.lines.empty())
        return opened;
    opened.added = true;
    opened.drawn = opened.units == chartUnits;
    ReferenceRun run;
    run.name = path.filename().string();
    run.units = opened.units;
    run.dataFile = path;
    describeFromRecord(run);
    run.readings.reserve(contents.lines.size());
    for (const DataFileLine& line : contents.lines)
        run.readings.push_back(line.reading);
    add(std::move(run));
    return opened;
}

void ReferenceRuns::keepPreviousRun(const DataCollection& readings,
                                    const std::optional<std::string>& dataFile, std::string units) {
    dropPreviousRun();
    if (readings.empty())
        return;
    ReferenceRun run;
    run.name = "Previous run";
    run.units = std::move(units);
    if (dataFile)
        run.name += " (" + std::filesystem::path(*dataFile).filename().string() + ")";
    run.previousRun = true;
    run.source = ReferenceRun::Source::Previous;
    if (dataFile)
        run.dataFile = *dataFile;
    run.readings.reserve(readings.Count());
    for (const auto& reading : readings)
        run.readings.push_back(*reading);
    add(std::move(run));
}

void ReferenceRuns::dropPreviousRun() {
    std::erase_if(runs_, [](const ReferenceRun& run) { return run.previousRun; });
}

void ReferenceRuns::clear() {
    std::erase_if(runs_, [](const ReferenceRun& run) {
        return run.source == ReferenceRun::Source::Opened ||
               run.source == ReferenceRun::Source::Previous;
    });
}

std::size_t ReferenceRuns::add(ReferenceRun run) {
    run.colour = freeColour();
    run.key = ++lastKey_;
    runs_.push_back(std::move(run));
    return runs_.size() - 1;
}

std::optional<std::size_t> ReferenceRuns::find(std::uint64_t key) const {
    for (std::size_t i = 0; i < runs_.size(); ++i)
        if (runs_[i].key == key)
            return i;
    return std::nullopt;
}

void ReferenceRuns::remove(std::size_t i) {
    if (i < runs_.size())
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(i));
}

// The first colour no shown run has; when every colour is taken, they are used over again.
int ReferenceRuns::freeColour() const {
    for (int colour = 0; colour < kColours; ++colour)
        if (std::none_of(runs_.begin(), runs_.end(),
                         [colour](const ReferenceRun& run) { return run.colour == colour; }))
            return colour;
    return static_cast<int>(runs_.size() % kColours);
}

} // namespace datafile
