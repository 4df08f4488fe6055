#pragma once

#include "platform/options.h"

#include <ostream>
#include <string>

namespace app {

// --analyse: reads the data file through the data-file reader, runs the method on its readings
// and prints the result as the run record's [Analysis] lines keep it, one key=value a line, on
// out. What went wrong goes to err after the program's name. Returns 0 with the values, 1 for a
// file that cannot be read, 2 for an unknown method, a method that does not fit the readings or
// a window holding too few of them. No window, no display.
int RunAnalysis(const std::string& programName, const platform::ProgramOptions& options,
                std::ostream& out, std::ostream& err);

} // namespace app
