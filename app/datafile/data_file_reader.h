#pragma once

// Reading the program's data files back: the journal a run cut short leaves behind, and any data
// file a user opens. The header line must be the data file's own; reading lines that do not
// parse are left out and counted.

#include "hp4140/hp4140_data.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace datafile {

// One reading line of a data file.
struct DataFileLine {
    // Index, Timerel, Current, Voltage, AtCurrentLimit and RawData as the line gives them.
    HP4140DataType reading;
    std::string units; // as the line says: "Amps" or "Farads"
    std::string text;  // the line itself, without its line end
};

// What a data file holds.
struct DataFileContents {
    std::vector<DataFileLine> lines; // the reading lines that parse, in file order
    std::size_t skipped = 0;         // reading lines that do not parse, left out
    bool unfinished = false;         // a last line without its line end (a cut-short write)
};

// A reading line: index, time, measurement, voltage, units, "*" or nothing, and the reply (the
// rest of the line, so a file from before replies lost their tabs still reads). nullopt when it
// does not parse.
std::optional<DataFileLine> parseDataFileLine(std::string_view line);

// A data file's text: nullopt when its first line is not the data file's header. Lines end in
// CR LF (LF alone is taken too); a last line without its line end is left out, since it is all a
// cut-short write leaves and may have lost any part of its reply.
std::optional<DataFileContents> parseDataFileText(std::string_view text);

// Whether the file is a regular file that starts with the data file's header line; only that
// much is read.
bool isDataFile(const std::filesystem::path& path);

// Reads a data file. Raises an AppError naming the file when it cannot be read, is larger than
// 1 GiB, or is no data file of this program (321: Invalid file format).
DataFileContents readDataFile(const std::filesystem::path& path);

} // namespace datafile
