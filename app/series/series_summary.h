#pragma once

// The summary a series leaves when it ends, NAME.summary.tsv: a header, then one row per step
// (step, device, sample, data file, outcome, readings, start, end, label, and the value of each
// key the steps step, then what the steps' analyses gave, by their keys), tab-separated, every
// row as long as the header. A cell's tabs, line breaks and other control characters become
// blanks; a cell holding a double quote is quoted as CSV quotes it, so
// pandas.read_csv(sep="\t") reads every cell back as it was.

#include "series_run.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace series {

std::string summaryText(const SeriesRun& run);

// Where the summary goes: the folder of the series' first data file; while none was written,
// the folder of the data template up to its first placeholder.
std::filesystem::path summaryFolder(const SeriesRun& run, std::string_view dataTemplate);

// Writes the summary into the folder (made when missing) as NAME.summary.tsv, or NAME-2... when
// that is taken (an earlier run of the series keeps its own). Returns the file written; raises
// an AppError naming it when it cannot be written.
std::filesystem::path writeSummary(const SeriesRun& run, const std::filesystem::path& folder,
                                   std::string_view name);

} // namespace series
