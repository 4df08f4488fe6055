#pragma once

#include "test_run_view.h"

#include <chrono>
#include <ctime>
#include <string>

namespace testrun {

// What the program says about a run that does not go as planned.

inline constexpr const char* kOpenEndedRefusal =
    "A Constant ramp holds its voltage until the run is stopped, and nobody is there to stop "
    "it: give the run a time limit (--max-time SECONDS).";

// The time as the local clock shows it, with its offset from UTC in tm_gmtoff.
std::tm localTimeOf(std::chrono::system_clock::time_point time);

// "Instrument not answering since 14:03:12, 12 polls" (local time).
std::string silenceText(const Silence& silence);
// Why an unattended run ended as lost.
std::string lostText(const Silence& silence, double busTimeoutSeconds);
// Why an unattended run ended as overrun.
std::string overrunText(double maxSeconds);
// The window's warning once a run has gone on twice as long as expected.
std::string slowRunText(double expectedSeconds);

} // namespace testrun
