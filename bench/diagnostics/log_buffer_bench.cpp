#include "diagnostics/log_buffer.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// A bus log line of typical length.
const std::string kLine = "GPIB0_16_Receive:N+1.2345E-09,A+0.0000E+00,V+010.00[No Error]";

diagnostics::LogBuffer fullBuffer() {
    diagnostics::LogBuffer buffer;
    for (int i = 0; i < diagnostics::LogBuffer::kLineLimit; ++i)
        buffer.SendString(kLine);
    return buffer;
}

// Adding a line to a full buffer: the oldest line leaves, nothing else is touched.
void SendStringFullBuffer(benchmark::State& state) {
    diagnostics::LogBuffer buffer = fullBuffer();
    for (auto _ : state)
        buffer.SendString(kLine);
    benchmark::DoNotOptimize(buffer.length());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SendStringFullBuffer);

// The worst case for a reader: the whole text is read back after every line.
void SendStringAndReadText(benchmark::State& state) {
    diagnostics::LogBuffer buffer = fullBuffer();
    for (auto _ : state) {
        buffer.SendString(kLine);
        benchmark::DoNotOptimize(buffer.text().data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SendStringAndReadText);

} // namespace
