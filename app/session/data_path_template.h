#pragma once

#include "session.h"

#include "hp4140/test_config.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// What the placeholders of a data path stand for at a test's start.
struct DataPathValues {
    SampleIdentity sample;
    std::string function; // "I", "IV" or "CV"
    std::chrono::system_clock::time_point start;
    // In a series: the step's number (from 1), how many steps there are, and the stepped value
    // as typed.
    std::optional<int> step;
    int steps = 1;
    std::string value;
};

// The function as a data path and the run list name it: "I", "IV", "CV".
std::string functionName(hp4140::Function function);

// The values for a test of the function starting then, with the session's sample.
DataPathValues dataPathValuesFor(const Session& session, hp4140::Function function,
                                 std::chrono::system_clock::time_point start);

// Whether the path holds any of the placeholders.
bool hasPlaceholders(std::string_view path);

// The path with {sample}, {device}, {function}, {date} (YYYYMMDD, local time), {time} (HHMMSS),
// {step} (zero-padded to the width of the step count) and {value} put in; outside a series
// {step} and {value} give nothing. A value cannot add a folder to the path or a character a
// file name cannot hold: "/" and control characters become "_". Braces around anything else stay.
std::string expandDataPath(std::string_view path, const DataPathValues& values);

} // namespace app
