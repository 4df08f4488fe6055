// The gpibsim_ control functions. Setters go through the same key table as the configuration
// file, so a value is checked the same way whichever path it takes.
#include "sim/gpibsim.h"
#include "sim/library_instance.h"
#include "sim/settings_keys.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using gpibsim::Simulator;

// The text behind the last const char* handed to this thread.
thread_local std::string threadMessages;
thread_local std::string threadCommands;

int outcome(const std::string& problem) {
    threadMessages = problem;
    return problem.empty() ? 0 : -1;
}

int configure(const char* section, const char* key, const std::string& value) {
    return outcome(gpibsim::withSimulator([&](Simulator& sim) {
        return sim.configure(section ? section : "", key ? key : "", value);
    }));
}

// Several keys of one section, all or none.
int configureAll(const char* section,
                 const std::vector<std::pair<std::string, std::string>>& keys) {
    return outcome(gpibsim::withSimulator([&](Simulator& sim) {
        gpibsim::SimSettings trial = sim.settings();
        for (const auto& [key, value] : keys)
            if (std::string problem = gpibsim::applySetting(trial, section, key, value);
                !problem.empty())
                return problem;
        for (const auto& [key, value] : keys)
            sim.configure(section, key, value);
        return std::string();
    }));
}

template <typename Read> auto observe(Read&& read) {
    return gpibsim::withSimulator([&](Simulator& sim) {
        sim.instrument().advanceTo(sim.time());
        return read(sim);
    });
}

} // namespace

extern "C" {

void gpibsim_reset(void) {
    gpibsim::withSimulator([](Simulator& sim) {
        sim.reset();
        return 0;
    });
    threadMessages.clear();
}

int gpibsim_load_config(const char* path) {
    if (!path)
        return outcome("no configuration file named");
    const gpibsim::ConfigReport report =
        gpibsim::withSimulator([&](Simulator& sim) { return sim.loadConfig(path); });
    threadMessages.clear();
    for (const std::string& problem : report.problems)
        threadMessages += problem + "\n";
    return report.opened ? static_cast<int>(report.problems.size()) : -1;
}

int gpibsim_configure(const char* section, const char* key, const char* value) {
    return configure(section, key, value ? value : "");
}

const char* gpibsim_messages(void) {
    return threadMessages.c_str();
}

int gpibsim_set_address(int primary_address) {
    return configure("board", "address", std::to_string(primary_address));
}

int gpibsim_set_boards(const int* board_ids, int count) {
    if (count < 0 || (count > 0 && !board_ids))
        return outcome("a board list needs its ids");
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            list += ',';
        list += std::to_string(board_ids[i]);
    }
    return configure("board", "boards", list);
}

int gpibsim_set_register_result(int code) {
    return configure("board", "register_result", std::to_string(code));
}

int gpibsim_set_model(const char* kind) {
    return configure("model", "kind", kind ? kind : "");
}

int gpibsim_set_model_parameter(const char* name, double value) {
    return configure("model", name, gpibsim::numberText(value));
}

int gpibsim_set_reading_times(double short_s, double medium_s, double long_s) {
    using gpibsim::numberText;
    return configureAll("instrument", {{"reading_time_short_ms", numberText(short_s * 1000.0)},
                                       {"reading_time_medium_ms", numberText(medium_s * 1000.0)},
                                       {"reading_time_long_ms", numberText(long_s * 1000.0)}});
}

int gpibsim_set_noise_seed(unsigned long long seed) {
    return configure("noise", "seed", std::to_string(seed));
}

int gpibsim_set_noise_level(double relative, double absolute_amps) {
    return configureAll("noise", {{"relative", gpibsim::numberText(relative)},
                                  {"absolute", gpibsim::numberText(absolute_amps)}});
}

int gpibsim_set_fault(const char* name, const char* value) {
    return configure("faults", name, value ? value : "");
}

void gpibsim_clear_faults(void) {
    gpibsim::withSimulator([](Simulator& sim) {
        sim.clearFaults();
        return 0;
    });
}

int gpibsim_set_virtual_time(int enable) {
    return configure("time", "virtual", enable ? "1" : "0");
}

int gpibsim_set_time(double seconds) {
    const bool moved = gpibsim::withSimulator([&](Simulator& sim) { return sim.setTime(seconds); });
    return outcome(moved ? "" : "the clock is not virtual, or the time lies before now");
}

int gpibsim_advance(double seconds) {
    const bool moved = gpibsim::withSimulator([&](Simulator& sim) { return sim.advance(seconds); });
    return outcome(moved ? "" : "the clock is not virtual, or the step is negative");
}

double gpibsim_time(void) {
    return gpibsim::withSimulator([](Simulator& sim) { return sim.time(); });
}

double gpibsim_next_reading_time(void) {
    return gpibsim::withSimulator(
        [](Simulator& sim) { return sim.nextReadingTime().value_or(-1.0); });
}

int gpibsim_status_byte(void) {
    return observe([](Simulator& sim) { return sim.instrument().statusByte(); });
}

int gpibsim_output_on(void) {
    return observe([](Simulator& sim) { return sim.instrument().outputOn() ? 1 : 0; });
}

int gpibsim_remote(void) {
    return observe([](Simulator& sim) { return sim.instrument().isRemote() ? 1 : 0; });
}

long gpibsim_readings_taken(void) {
    return observe([](Simulator& sim) { return sim.instrument().readingsTaken(); });
}

long gpibsim_readings_collected(void) {
    return observe([](Simulator& sim) { return sim.instrument().readingsCollected(); });
}

long gpibsim_lost_readings(void) {
    return observe([](Simulator& sim) { return sim.instrument().lostReadings(); });
}

long gpibsim_ignored_commands(void) {
    return observe([](Simulator& sim) { return sim.instrument().ignoredCommands(); });
}

const char* gpibsim_last_commands(int count) {
    threadCommands = observe([&](Simulator& sim) {
        const auto& history = sim.instrument().recentCommands();
        const std::size_t wanted = count > 0 ? static_cast<std::size_t>(count) : 0;
        const std::size_t first = history.size() > wanted ? history.size() - wanted : 0;
        std::string text;
        for (std::size_t i = first; i < history.size(); ++i) {
            if (i > first)
                text += '\n';
            text += history[i];
        }
        return text;
    });
    return threadCommands.c_str();
}

int gpibsim_set_trace(const char* path) {
    const bool opened = gpibsim::withSimulator([&](Simulator& sim) {
        if (!path || !*path) {
            sim.closeTrace();
            return true;
        }
        return sim.openTrace(path);
    });
    return outcome(opened ? "" : std::string("cannot open the trace file ") + path);
}

} // extern "C"
