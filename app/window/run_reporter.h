#pragma once

#include <string>

namespace testrun {
class TestRun;
}

namespace app {

// Whoever runs a test beyond the window hears of it through this: a headless run prints it on
// standard error. The window shows the same things itself (status bar, log window, boxes), so
// for it every event but the last may go unheard.
class RunReporter {
public:
    virtual ~RunReporter() = default;

    // The run started, took a reading or ended.
    virtual void progressed(const testrun::TestRun& /*run*/) {}
    // Something the user should know at once: a note on the set-up, a journal that moved, a
    // data file that could not be written.
    virtual void note(const std::string& /*line*/) {}
    // Where the readings of a run saved without asking anybody are ("The 21 readings are in
    // …"); the last thing a run that did not write its data file says.
    virtual void readingsAreIn(const std::string& /*where*/) {}
};

} // namespace app
