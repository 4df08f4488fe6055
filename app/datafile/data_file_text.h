#pragma once

// The data file's text: a header line, then one tab-separated line per reading in the order the
// readings were taken, every line ending in CR LF. Numbers in the general form, "." as the
// decimal point whatever the locale.

#include "data_collection.h"

#include <string>
#include <string_view>

namespace datafile {

inline constexpr std::string_view kDataFileHeader =
    "Index\tTime\tMeasurement\tVoltage\tUnits\tAt Current Limit\tRaw Data";
inline constexpr std::string_view kLineEnd = "\r\n";

// Appends one reading's line, without its line end. The reply keeps its trailing blanks but loses
// any CR or LF, which would otherwise split the line (a rejected reply still holds them), and
// any other control character becomes a blank, so that a tab cannot split its field.
void appendDataFileLine(std::string& text, const HP4140DataType& reading, std::string_view units);

// The whole file, built in one string. units is the caption of the units label when the file
// is written.
std::string dataFileText(const DataCollection& readings, std::string_view units);

} // namespace datafile
