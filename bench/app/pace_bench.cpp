// Readings at the instrument's fastest pace, in real time, with busy processes beside the
// program: how many of a sweep's readings go missing (overwritten in the instrument before a
// poll read them). The window run is the real main window on the simulator, offscreen; the
// headless runs are the program itself. The argument is the number of busy processes.
//
//   QT_QPA_PLATFORM=offscreen build/bin/pace_bench

#include "app/application.h"
#include "app/panel/config_panel.h"
#include "app/panel/field_descriptions.h"
#include "app/panel/option_group.h"
#include "app/window/frm_main.h"
#include "app/window/left_column.h"
#include "app/window/test_run_panel.h"
#include "platform/folders.h"
#include "quenta/quenta.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <atomic>
#include <benchmark/benchmark.h>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

fs::path buildDir() {
    return platform::executablePath().parent_path().parent_path();
}

fs::path scratch(const char* name) {
    const fs::path folder = fs::temp_directory_path() /
                            ("tarvix-pace-" + std::string(name) + "-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

[[noreturn]] void spinForEver() {
    std::atomic<unsigned long> spins{0};
    for (;;)
        spins.fetch_add(1, std::memory_order_relaxed);
}

// Processes that only burn CPU, for as long as the object lives.
class BusyProcesses {
public:
    explicit BusyProcesses(std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0)
                spinForEver();
            pids_.push_back(pid);
        }
    }
    ~BusyProcesses() {
        for (const pid_t pid : pids_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    BusyProcesses(const BusyProcesses&) = delete;
    BusyProcesses& operator=(const BusyProcesses&) = delete;

private:
    std::vector<pid_t> pids_;
};

// A sweep from 0 V by the step at 1 V/s with the short integration.
struct Sweep {
    const char* stop;
    const char* step;
};

void chooseSweep(app::frmMain& window, const Sweep& sweep) {
    app::ConfigPanel& config = window.configPanel();
    config.optionFunction().setSelected(1, true);
    config.optionRamp().setSelected(0, true);
    config.optionIntegration().setSelected(0, true);
    config.txtConfig(0)->setText("0");
    config.txtConfig(1)->setText(sweep.stop);
    config.txtConfig(2)->setText(sweep.step);
    config.txtConfig(3)->setText("0");
    config.txtConfig(5)->setText("1");
}

// 2,501 readings at 50 readings/s in the main window.
void WindowSweepAt50PerSecond(benchmark::State& state) {
    const fs::path folder = scratch("window");
    platform::setProgramFolders({buildDir(), folder});
    const std::string simulator =
        (buildDir() / "lib" / "tarvix-4140" / "libtarvix-gpibsim.so").string();
    app::Application application({simulator}, 0);
    app::frmMain window(application, app::FieldDescriptions::load(app::kMainWindowFields));
    auto* panel = new app::TestRunPanel(
        application, window, {application.gpib(), application.device(), application.clock()},
        window.logWindow());
    window.show();
    chooseSweep(window, {"50", "0.02"});
    std::int32_t missed = 0;
    int run = 0;
    for (auto _ : state) {
        BusyProcesses busy(state.range(0));
        window.leftColumn().txtPathToData()->setText(
            QString::fromStdString((folder / ("run-" + std::to_string(++run) + ".txt")).string()));
        if (panel->cmdStart_Click() != testrun::StartResult::Started) {
            state.SkipWithError("the sweep did not start");
            break;
        }
        while (panel->run().TestRunning())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        missed += panel->run().lastReport().missing();
    }
    state.counters["readings_missed"] = missed;
    fs::remove_all(folder);
}
BENCHMARK(WindowSweepAt50PerSecond)
    ->Arg(0)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The readings the run record says are missing.
int missingInRecord(const fs::path& record) {
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("missing="))
            return std::stoi(line.substr(8));
    return -1;
}

std::string configWith(const fs::path& folder, const Sweep& sweep) {
    const fs::path config = folder / "sweep.ini";
    std::ofstream(config) << "[FORM]\noptionFunction(1)=1\noptionFunction(0)=0\noptionRamp(0)=1\n"
                          << "optionIntegration(0)=1\ntxtConfig(0)=0\ntxtConfig(1)=" << sweep.stop
                          << "\ntxtConfig(2)=" << sweep.step
                          << "\ntxtConfig(3)=0\ntxtConfig(5)=1\ntxtGPIBAddress=16\n";
    return config.string();
}

// The program itself, headless: its exit status and the readings its run record says missing.
int headlessMissing(const fs::path& folder, const Sweep& sweep, bool dryRun) {
    std::vector<std::string> args{(buildDir() / "bin" / "tarvix4140").string(),
                                  "--app-dir",
                                  (folder / "program").string(),
                                  "--driver",
                                  "sim",
                                  "--run",
                                  configWith(folder, sweep),
                                  "--data",
                                  (folder / "out.txt").string()};
    if (dryRun)
        args.insert(args.begin() + 5, "--dry-run");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return missingInRecord(folder / "out.run.ini");
}

// 501 readings at 50 readings/s, headless in real time.
void HeadlessSweepAt50PerSecond(benchmark::State& state) {
    const fs::path folder = scratch("headless");
    int missed = 0;
    for (auto _ : state) {
        BusyProcesses busy(state.range(0));
        missed += headlessMissing(folder, {"10", "0.02"}, false);
    }
    state.counters["readings_missed"] = missed;
    fs::remove_all(folder);
}
BENCHMARK(HeadlessSweepAt50PerSecond)
    ->Arg(0)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// 1,001 readings at 100 readings/s (a 0.01 V step at 1 V/s, faster than the short
// integration), headless in virtual time.
void DryRunSweepAt100PerSecond(benchmark::State& state) {
    const fs::path folder = scratch("dry");
    int missed = 0;
    for (auto _ : state) {
        BusyProcesses busy(state.range(0));
        missed += headlessMissing(folder, {"10", "0.01"}, true);
    }
    state.counters["readings_missed"] = missed;
    fs::remove_all(folder);
}
BENCHMARK(DryRunSweepAt100PerSecond)
    ->Arg(0)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
