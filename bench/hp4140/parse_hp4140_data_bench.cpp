#include "hp4140/parse_hp4140_data.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// A reply as the device object returns it: the line, CR LF, blanks up to the 200-character
// read length. Each iteration parses a fresh record, as the test run creates one per reading.
std::string deviceReply(std::string line) {
    line += "\r\n";
    line.resize(200, ' ');
    return line;
}

void parseReplies(benchmark::State& state, const std::string& reply) {
    for (auto _ : state) {
        HP4140DataType reading;
        reading.RawData = reply;
        ParseHP4140Data(reading, nullptr);
        benchmark::DoNotOptimize(reading.Current);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ParseReading(benchmark::State& state) {
    parseReplies(state, deviceReply("NAI+1.234E-12,V+10.00"));
}

void BM_ParseOutOfRange(benchmark::State& state) {
    parseReplies(state, deviceReply("NAI+2.000E-20,V-35.50"));
}

void BM_ParseRejected(benchmark::State& state) {
    parseReplies(state, deviceReply("NAI,V+10.00"));
}

} // namespace

BENCHMARK(BM_ParseReading);
BENCHMARK(BM_ParseOutOfRange);
BENCHMARK(BM_ParseRejected);
