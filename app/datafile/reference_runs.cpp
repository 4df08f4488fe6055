#include "reference_runs.h"

#include "data_file_reader.h"

#include <algorithm>

namespace datafile {

OpenedReference ReferenceRuns::open(const std::filesystem::path& path,
                                    std::string_view chartUnits) {
    const DataFileContents contents = readDataFile(path);
    // A last line without its line end may have lost digits of any field, so it is left out
    // too, and counted with the malformed ones.
    OpenedReference opened{contents.lines.size(), contents.skipped + (contents.unfinished ? 1 : 0),
                           contents.lines.empty() ? "" : contents.lines.front().units, false};
    if (contents.lines.empty() || opened.units != chartUnits)
        return opened;
    opened.added = true;
    ReferenceRun run;
    run.name = path.filename().string();
    run.units = opened.units;
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
    run.readings.reserve(readings.Count());
    for (const auto& reading : readings)
        run.readings.push_back(*reading);
    add(std::move(run));
}

void ReferenceRuns::dropPreviousRun() {
    std::erase_if(runs_, [](const ReferenceRun& run) { return run.previousRun; });
}

void ReferenceRuns::add(ReferenceRun run) {
    run.colour = freeColour();
    runs_.push_back(std::move(run));
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
