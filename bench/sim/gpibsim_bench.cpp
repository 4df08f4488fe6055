// Simulated readings per second in virtual time: how fast the simulator feeds a program that
// polls and reads like the real one, and how fast it runs through readings nobody collects.
#include "sim/driver_abi.h"
#include "sim/simulator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using gpibsim::Simulator;

void send(Simulator& sim, const std::string& command) {
    const std::string text = command + "\r\n";
    sim.board().send(0, 16, text.data(), static_cast<long>(text.size()), gpibsim::eot::kDabEnd);
}

void startInVirtualTime(Simulator& sim, std::initializer_list<const char*> commands) {
    sim.configure("time", "virtual", "1");
    sim.reset();
    for (const char* command : commands)
        send(sim, command);
}

// Each reading as the program takes it: time moves to the reading, a serial poll, a read into
// 200 blanks up to the line feed.
void PollAndReadEachReading(benchmark::State& state) {
    Simulator sim;
    startInVirtualTime(sim, {"F2", "A4", "PS-100.0", "PT100.0", "PE0.01", "PH0.0", "PD0.0", "W1"});
    std::string buffer(200, ' ');
    short status = 0;
    for (auto _ : state) {
        const auto next = sim.nextReadingTime();
        if (!next) {
            state.PauseTiming();
            send(sim, "W1");
            state.ResumeTiming();
            continue;
        }
        sim.setTime(*next);
        sim.board().readStatusByte(0, 16, &status);
        sim.board().receive(0, 16, buffer.data(), 200, 10);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["lost"] = static_cast<double>(sim.instrument().lostReadings());
}
BENCHMARK(PollAndReadEachReading);

// A whole C-V sweep of 2001 readings, read as each falls due.
void WholeCapacitanceSweep(benchmark::State& state) {
    Simulator sim;
    std::string buffer(200, ' ');
    long readings = 0;
    for (auto _ : state) {
        startInVirtualTime(sim, {"F3", "A1", "PS-10.0", "PT10.0", "PE0.01", "PV1.0", "W1"});
        while (const auto next = sim.nextReadingTime()) {
            sim.setTime(*next);
            sim.board().receive(0, 16, buffer.data(), 200, 10);
            ++readings;
        }
    }
    state.SetItemsProcessed(readings);
}
BENCHMARK(WholeCapacitanceSweep)->Unit(benchmark::kMillisecond);

// An I test left alone: every reading time a reading is made and overwritten. Each step moves
// virtual time by one second, 50 readings at the short reading time.
void UncollectedCurrentReadings(benchmark::State& state) {
    Simulator sim;
    startInVirtualTime(sim, {"F1", "PA10.0", "PH0.0", "I1", "W1"});
    for (auto _ : state)
        sim.advance(1.0);
    state.SetItemsProcessed(sim.instrument().readingsTaken());
}
BENCHMARK(UncollectedCurrentReadings);

} // namespace
