#include "series_summary.h"

#include "app/session/data_path_template.h"
#include "settings/whole_file.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace series {

namespace {

std::string cell(std::string_view text) {
    std::string safe;
    bool quote = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            safe += ' ';
        } else if (c == '"') {
            safe += "\"\"";
            quote = true;
        } else {
            safe += c;
        }
    }
    return quote ? "\"" + safe + "\"" : safe;
}

std::string row(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i)
        line += (i ? "\t" : "") + cell(cells[i]);
    return line + "\n";
}

std::string valueIn(const SeriesStep& step, std::string_view key) {
    for (const FieldChange& change : step.changes)
        if (sameKey(change.key, key))
            return change.value;
    return {};
}

// The keys the steps' analyses gave, in the order they first come.
std::vector<std::string> analysisKeys(const SeriesRun& run) {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < run.size(); ++i)
        if (const auto& done = run.record(i).run)
            for (const auto& [key, value] : done->analysis)
                if (std::find(keys.begin(), keys.end(), key) == keys.end())
                    keys.push_back(key);
    return keys;
}

std::string analysed(const StepRun& done, std::string_view key) {
    for (const auto& [k, value] : done.analysis)
        if (k == key)
            return value;
    return {};
}

std::vector<std::string> stepRow(const SeriesRun& run, std::size_t i,
                                 const std::vector<std::string>& keys,
                                 const std::vector<std::string>& results) {
    const SeriesStep& step = run.plan().steps[i];
    const StepRecord& record = run.record(i);
    const StepRun done = record.run.value_or(StepRun{});
    std::vector<std::string> cells{std::to_string(i + 1),
                                   step.device,
                                   run.plan().sample,
                                   done.dataFile,
                                   record.run ? done.outcome : stateWord(record.state),
                                   record.run ? std::to_string(done.readings) : "",
                                   done.start,
                                   done.end,
                                   step.label};
    for (const std::string& key : keys)
        cells.push_back(valueIn(step, key));
    for (const std::string& key : results)
        cells.push_back(analysed(done, key));
    return cells;
}

} // namespace

std::string summaryText(const SeriesRun& run) {
    const std::vector<std::string> keys = steppedKeys(run.plan().steps);
    std::vector<std::string> header{"step",     "device", "sample", "data file", "outcome",
                                    "readings", "start",  "end",    "label"};
    header.insert(header.end(), keys.begin(), keys.end());
    // A series analysed as it ran (a method chosen in the Analyse panel) adds its results.
    const std::vector<std::string> results = analysisKeys(run);
    header.insert(header.end(), results.begin(), results.end());
    std::string text = row(header);
    for (std::size_t i = 0; i < run.size(); ++i)
        text += row(stepRow(run, i, keys, results));
    return text;
}

fs::path summaryFolder(const SeriesRun& run, std::string_view dataTemplate) {
    for (std::size_t i = 0; i < run.size(); ++i)
        if (const auto& done = run.record(i).run; done && !done->dataFile.empty())
            return fs::path(done->dataFile).parent_path();
    fs::path folder;
    for (const fs::path& part : fs::path(dataTemplate).parent_path()) {
        if (app::hasPlaceholders(part.string()))
            break;
        folder /= part;
    }
    return folder;
}

fs::path writeSummary(const SeriesRun& run, const fs::path& folder, std::string_view name) {
    std::error_code ignored; // a folder that cannot be made fails the write, which names it
    fs::create_directories(folder, ignored);
    const std::string base(name);
    fs::path path = folder / (base + ".summary.tsv");
    for (int n = 2; fs::exists(fs::symlink_status(path, ignored)); ++n)
        path = folder / (base + "-" + std::to_string(n) + ".summary.tsv");
    settings::writeFileAtomically(path, summaryText(run));
    return path;
}

} // namespace series
