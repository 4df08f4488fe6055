#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform {
class VirtualClock;
}

namespace app {

class frmMain;
class TestRunPanel;

// A scripted measurement: the configuration to load, the data file to write, and where to save
// the chart as a picture afterwards.
struct HeadlessRequest {
    std::string config;
    std::string data;
    std::optional<std::string> plot;
};

// Runs one test with the window's own code but no one watching: the configuration is loaded as
// "Load Config..." would load it, the data path set, the test started as "Start Test" would
// start it and run to its end, with a progress line on standard error. A dry run passes its
// virtual clock, which then paces the test as fast as it can run. Returns the exit status: 0
// when the test ran to its end and the data file was written.
int RunHeadless(frmMain& window, TestRunPanel& panel, const HeadlessRequest& request,
                const std::function<bool(const std::string&)>& loadConfig,
                platform::VirtualClock* dryRunClock);

} // namespace app
