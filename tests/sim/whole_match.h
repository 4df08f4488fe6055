#pragma once

#include <string>

namespace gpibsim::test {

// A call line of the trace: time, call, board, address, argument, status words, notes.
inline constexpr const char* kTraceCallLine =
    R"(\d+\.\d{3}\t\w+\t(\d+|-)\t(\d+|-)\t[^\t]*\tibsta=0x[0-9A-F]+)"
    R"(\tiberr=\d+(\tnote=[^\t]*)*(\tlost=\d+)?)";
// A note line of the trace, written between calls.
inline constexpr const char* kTraceNoteLine = R"(\d+\.\d{3}\tnote\t[^\t]*)";

// Whether the whole text matches the regular expression (ECMAScript grammar).
bool matchesWhole(const std::string& text, const std::string& pattern);

} // namespace gpibsim::test
