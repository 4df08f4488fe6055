#pragma once

#include "sim/board.h"
#include "sim/config_reader.h"
#include "sim/hp4140b.h"
#include "sim/sim_clock.h"
#include "sim/sim_settings.h"
#include "sim/trace_writer.h"

#include <optional>
#include <string>
#include <string_view>

namespace gpibsim {

// The whole simulator: settings, clock, trace, instrument and board, wired together. The C
// exports hold one of these; tests make their own.
class Simulator {
public:
    Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Power-on: built-in settings, a fresh instrument and board, the clock back at 0. The clock
    // keeps its mode (a virtual clock then stands at 0) and the trace file stays open.
    void reset();
    ConfigReport loadConfig(const std::string& path);
    // One key of the configuration; returns the problem, or an empty text.
    std::string configure(std::string_view section, std::string_view key, std::string_view value);
    void clearFaults();

    bool openTrace(const std::string& path);
    void closeTrace() { trace_.close(); }

    bool setTime(double seconds);
    bool advance(double seconds);
    double time() const { return clock_.now(); }
    std::optional<double> nextReadingTime();

    Board& board() { return board_; }
    Hp4140b& instrument() { return instrument_; }
    const SimSettings& settings() const { return settings_; }

private:
    void followSettings();

    SimSettings settings_;
    SimClock clock_;
    TraceWriter trace_;
    Hp4140b instrument_;
    Board board_;
};

} // namespace gpibsim
