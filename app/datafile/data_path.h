#pragma once

#include <string>

namespace datafile {

// The full path of the data file, empty when none is chosen. The start-up sets it from the
// path box and the browse button from the save dialog; nothing else changes it.
std::string& AppDataPath();

} // namespace datafile
