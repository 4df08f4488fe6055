#pragma once

#include <chrono>
#include <string>

namespace diagnostics {

// Date and time texts of the debug log, in local time. Month names are English whatever the
// locale, so log files read the same on every machine.
using WallTime = std::chrono::system_clock::time_point;

std::string dateTimeStamp(WallTime time);  // "06 Dec 2026 14:26:00"
std::string timeOfDayStamp(WallTime time); // "14:26:00"
std::string fileNameStamp(WallTime time);  // "261206_142600"

} // namespace diagnostics
