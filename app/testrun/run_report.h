#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace testrun {

// How a test ended.
enum class RunOutcome {
    RanToEnd, // ended on its own: time limit or output off
    Aborted,  // the user pressed Abort
    Lost,     // the instrument stopped answering for longer than the run allows
    Overrun,  // the run went on longer than it is allowed to
    Stopped,  // a signal asked the program to stop
};

// What a finished test gave, for the user and the exit status.
struct RunReport {
    RunOutcome outcome = RunOutcome::RanToEnd;
    std::int32_t filed = 0;               // readings filed, the unreadable ones included
    std::optional<std::int32_t> expected; // stairs and sweeps that ran to their end
    std::int32_t unreadable = 0;          // timed out or malformed, filed with zeros
    std::int32_t failedPolls = 0;
    // An I test whose instrument switched its output off: after how many readings.
    std::optional<std::int32_t> outputOffAfter;

    std::int32_t missing() const;
    // Something is missing, unreadable or was not polled, or the instrument cut the test short.
    bool incomplete() const {
        return missing() > 0 || unreadable > 0 || failedPolls > 0 || outputOffAfter.has_value();
    }
    // "ran to its end; 5 of 21 readings missing, 3 unreadable"; the outcome alone when
    // nothing is amiss ("ran to its end").
    std::string summary() const;
};

// What the test did, to follow "The test ": "ran to its end", "was aborted", "lost the
// instrument", "overran its time limit", "was stopped by a signal".
std::string outcomeText(RunOutcome outcome);

// How the run went, as one word: "complete" (ran to its end, every reading there and readable),
// "incomplete" (ran to its end, readings missing or unreadable or polls failed), "aborted",
// "lost" (the instrument stopped answering), "overrun" (went on past its time limit), "stopped"
// (by a signal).
std::string outcomeKeyword(const RunReport& report);

// How a run cut short ended, where its progress would give its time: "aborted", "instrument
// lost", "overran", "stopped"; empty for a run that ran to its end.
std::string cutShortText(RunOutcome outcome);

} // namespace testrun
