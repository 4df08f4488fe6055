#pragma once

#include "data_collection.h"
#include "hp4140/hp4140_data.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace datafile {

// A run shown beside the test's readings to compare them with: a data file opened for it, or the
// previous run, kept when the next test started.
struct ReferenceRun {
    std::string name; // what the chart's legend calls it
    std::vector<HP4140DataType> readings;
    std::string units; // "Amps" or "Farads", as the data file's lines say
    int colour = 0;    // the number of its colour, kept while it is shown
    bool previousRun = false;
};

// What opening a data file as a reference gave.
struct OpenedReference {
    std::size_t readings = 0;
    std::size_t leftOut = 0; // lines that are no whole reading: malformed, or cut short
    std::string units;       // the readings' units
    bool added = false;
};

// The reference runs, in the order they were added. They are the program's own copies: the
// chart only shows them.
class ReferenceRuns {
public:
    // The colours a chart draws references in; more references than this share them.
    static constexpr int kColours = 6;

    // Reads the data file as a reference named by its file name; one without a reading, or
    // with readings in other units than the chart's (farads beside currents), is not added.
    // Raises an AppError as readDataFile does (321 for a file that is no data file).
    OpenedReference open(const std::filesystem::path& path, std::string_view chartUnits);
    // The run that just ended, its readings in the units, becomes the previous run, in place of
    // the one kept before; a run without readings only lets that one go. Its name says which
    // data file it went to, if any: "Previous run (iv.txt)".
    void keepPreviousRun(const DataCollection& readings, const std::optional<std::string>& dataFile,
                         std::string units);
    void dropPreviousRun();
    void clear() { runs_.clear(); }

    const std::vector<ReferenceRun>& runs() const { return runs_; }
    bool empty() const { return runs_.empty(); }

private:
    void add(ReferenceRun run);
    int freeColour() const;

    std::vector<ReferenceRun> runs_;
};

} // namespace datafile
