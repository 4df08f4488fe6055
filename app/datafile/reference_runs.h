#pragma once

#include "data_collection.h"
#include "hp4140/hp4140_data.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace datafile {

// A run listed beside the test's readings to compare them with: a data file opened for it, the
// previous run (kept when the next test started), one of this session's tests, or a step of a
// series (listed from the series' start, its readings once it has run).
struct ReferenceRun {
    enum class Source { Opened, Previous, Session, SeriesStep };

    std::string name; // what the list and the chart's legend call it
    std::vector<HP4140DataType> readings;
    std::string units;                         // "Amps" or "Farads", as the data file's lines say
    int colour = 0;                            // the number of its colour, kept while it is listed
    std::optional<std::uint32_t> chosenColour; // an RGB value the user chose instead
    bool previousRun = false;
    Source source = Source::Opened;
    bool shown = true;              // on the chart (when its units are the chart's)
    std::filesystem::path dataFile; // where its readings are; empty when in no file
    std::string sample;
    std::string device;
    std::string function; // "I", "IV", "CV"; empty when not known
    std::string outcome;  // as its run record says ("complete" ...); empty when not known
    std::string state;    // a series step's: "queued", "running", "done" ...
    // Its number in the list it was added to, kept while rows before it come and go.
    std::uint64_t key = 0;
};

// Fills in what the run record beside the run's data file says: sample, device, function and
// outcome.
void describeFromRecord(ReferenceRun& run);

// What opening a data file as a reference gave.
struct OpenedReference {
    std::size_t readings = 0;
    std::size_t leftOut = 0; // lines that are no whole reading: malformed, or cut short
    std::string units;       // the readings' units
    bool added = false;      // listed: it has readings
    bool drawn = false;      // and they are the chart's quantity
};

// The reference runs, in the order they were added. They are the program's own copies: the
// chart only shows them.
class ReferenceRuns {
public:
    // The colours a chart draws references in; more references than this share them.
    static constexpr int kColours = 6;

    // Reads the data file as a reference named by its file name; one without a reading is not
    // added, one with readings in other units than the chart's (farads beside currents) is
    // listed but not drawn. Its run record, when one is beside it, names its sample, device and
    // outcome. Raises an AppError as readDataFile does (321 for a file that is no data file).
    OpenedReference open(const std::filesystem::path& path, std::string_view chartUnits);
    // The run that just ended, its readings in the units, becomes the previous run, in place of
    // the one kept before; a run without readings only lets that one go. Its name says which
    // data file it went to, if any: "Previous run (iv.txt)".
    void keepPreviousRun(const DataCollection& readings, const std::optional<std::string>& dataFile,
                         std::string units);
    void dropPreviousRun();
    // Forgets the data files opened to compare with; the session's runs stay listed.
    void clear();

    // Lists the run (one of this session's tests, a step of a series) and gives it a colour;
    // returns its place.
    std::size_t add(ReferenceRun run);
    ReferenceRun& at(std::size_t i) { return runs_.at(i); }
    // The place of the run added with that key, while it is listed.
    std::optional<std::size_t> find(std::uint64_t key) const;
    void remove(std::size_t i);

    const std::vector<ReferenceRun>& runs() const { return runs_; }
    bool empty() const { return runs_.empty(); }

private:
    int freeColour() const;

    std::vector<ReferenceRun> runs_;
    std::uint64_t lastKey_ = 0;
};

} // namespace datafile
