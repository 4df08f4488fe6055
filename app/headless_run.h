#pragma once

#include "app/testrun/test_run.h"
#include "platform/chart_picture.h"

#include <optional>
#include <string>

namespace platform {
class VirtualClock;
}

namespace app {

class CallWatchdog;
class frmMain;
class HeadlessConsole;
class StopSignals;
class TestRunPanel;

// A scripted measurement: the configuration to load, the data file to write, where to save the
// chart as a picture afterwards (PNG or PDF by the extension) and at what size, and the limits of
// a run nobody watches.
struct HeadlessRequest {
    std::string config;
    std::string data;
    std::optional<std::string> plot;
    platform::PictureSize plotSize = platform::kReportPictureSize;
    testrun::Unattended limits;
};

// Exit statuses of a headless run; a stop by a signal exits with 128 + its number.
namespace exitstatus {
inline constexpr int kClean = 0;      // ran to its end and every reading is in the data file
inline constexpr int kFailure = 1;    // the driver, the instrument or a file failed
inline constexpr int kCannotRun = 2;  // bad usage, an unreadable configuration or set-up
inline constexpr int kLost = 3;       // the instrument was lost or the run overran
inline constexpr int kIncomplete = 4; // ran to its end with readings missing or unreadable
} // namespace exitstatus

// The exit status of a run that started: a signal first, then a failure, then a lost or
// overrun run, then missing or unreadable readings.
int RunExitStatus(const testrun::RunReport& report, bool dataSaved, bool plotted, int signal);

// What a headless run works with besides the window: the console it says everything on, the
// dry run's virtual clock (null in real time), the stop signals and the watchdog.
struct HeadlessServices {
    HeadlessConsole& console;
    platform::VirtualClock* dryRunClock;
    const StopSignals& stopSignals;
    CallWatchdog& watchdog;
};

// Loads the set-up a run nobody watches starts from (a configuration or a run record) as "Load
// Config..." would, noting on the console what the fields had to change; false, with why on the
// console, when the file cannot be run (before anything changes).
bool LoadHeadlessConfiguration(frmMain& window, const std::string& path, HeadlessConsole& console);

// The exit status of a start that was refused: 2 for a set-up that cannot run, else 1.
int RefusedStartStatus(testrun::StartResult result);

// Runs the test the panel has started to its end, in virtual time for a dry run, else in real
// time with the watchdog told the run's time limit; then says on the console how it ended.
void RunToItsEnd(TestRunPanel& panel, const HeadlessServices& services);

// Runs one test with the window's own code but no one watching: the configuration is loaded as
// "Load Config..." would load it (but refused, before any bus call, when it cannot be read or is
// no configuration), the data path set, the test started as "Start Test" would start it and run
// to its end, with its progress and a last line saying how it ended on the console. A dry run
// passes its virtual clock, which then paces the test as fast as it can run; a run in real time
// tells the watchdog its time limit. Returns the exit status.
int RunHeadless(frmMain& window, TestRunPanel& panel, const HeadlessRequest& request,
                const HeadlessServices& services);

} // namespace app
