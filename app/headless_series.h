#pragma once

#include "app/testrun/test_run.h"

#include <string>

namespace app {

class frmMain;
class Session;
class TestRunPanel;
struct HeadlessServices;

// A series nobody watches: the series file and the limits of each of its runs.
struct HeadlessSeriesRequest {
    std::string series;
    testrun::Unattended limits;
};

// Runs every step of the series as an ordinary test, through Start and the test's end as a
// headless run does, without pausing (the console says so when the series asks for pauses):
// each step's set-up loaded, its changes applied, its device in the session's sample, its data
// file named from the series' template. Prints one line per step, how the series ended, and the
// summary's path last. A series file that cannot be used is refused before any bus call. A stop
// signal ends the series after the running step (which it stops). Returns the exit status: the
// first that applies over the steps of a signal, 1, 2 (a step refused), 3, 4.
int RunHeadlessSeries(frmMain& window, TestRunPanel& panel, Session& session,
                      const HeadlessSeriesRequest& request, const HeadlessServices& services);

} // namespace app
