// The whole program: a dry run of a long I test (every tick polls the simulator, reads, parses
// and files a reading), without and with a picture of the chart, and the main window's start-up.
// Wall time and peak memory are reported.

#include "app/application.h"
#include "app/panel/field_descriptions.h"
#include "app/window/frm_main.h"
#include "platform/folders.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

fs::path buildDir() {
    return platform::executablePath().parent_path().parent_path();
}

// An I test of 6000 s at a 0.1 s sample rate: 60,001 ticks.
fs::path writeLongITest(const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path config = folder / "long_i.ini";
    std::ifstream example(buildDir() / "share" / "tarvix-4140" / "config" /
                          "I_current_vs_time.ini");
    std::ofstream out(config);
    for (std::string line; std::getline(example, line);) {
        if (line.starts_with("txtSampleRate="))
            line = "txtSampleRate=0.1";
        if (line.starts_with("txtTotalTestTime="))
            line = "txtTotalTestTime=6000";
        out << line << '\n';
    }
    return config;
}

// One whole process per iteration: its wall time from start to exit, and its peak resident
// memory, as `/usr/bin/time -v` would report them.
void DryRunOf6000SecondITest(benchmark::State& state, bool plot) {
    const fs::path folder =
        fs::temp_directory_path() / ("tarvix-bench-" + std::to_string(::getpid()));
    const std::string config = writeLongITest(folder).string();
    const std::string program = (buildDir() / "bin" / "tarvix4140").string();
    const std::string appDir = (folder / "program").string();
    const std::string data = (folder / "out.txt").string();
    std::vector<std::string> args{program,     "--app-dir", appDir, "--driver", "sim",
                                  "--dry-run", "--run",     config, "--data",   data};
    if (plot)
        args.insert(args.end(), {"--plot", (folder / "out.png").string()});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    long peakKb = 0;
    for (auto _ : state) {
        fs::remove_all(appDir); // every run starts from a new program folder
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        peakKb = std::max(peakKb, usage.ru_maxrss);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("the dry run failed");
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKb) / 1024.0;
    fs::remove_all(folder);
}

// Five runs of one process each; the medians are the figures to quote.
void fiveProcesses(benchmark::internal::Benchmark* registration) {
    registration->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}
BENCHMARK_CAPTURE(DryRunOf6000SecondITest, no_plot, false)->Apply(fiveProcesses);
BENCHMARK_CAPTURE(DryRunOf6000SecondITest, plot, true)->Apply(fiveProcesses);

void MainWindowShown(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("tarvix-bench-ui-" + std::to_string(::getpid()));
    platform::setProgramFolders({buildDir(), folder});
    fs::create_directories(folder);
    app::Application application({}, 0);
    for (auto _ : state) {
        app::frmMain window(application, app::FieldDescriptions::load(app::kMainWindowFields));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("the window was not shown");
        QApplication::processEvents();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    fs::remove_all(folder);
}
BENCHMARK(MainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
