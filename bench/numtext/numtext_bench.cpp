#include "quenta/numtext/numtext.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

std::vector<float> sampleReadings() {
    std::vector<float> values;
    for (int i = 0; i < 1000; ++i)
        values.push_back(1.234567e-12f * static_cast<float>(i + 1) * (i % 2 ? -1.0f : 1.0f));
    return values;
}

void GeneralSingleForm(benchmark::State& state) {
    const std::vector<float> values = sampleReadings();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numtext::formatGeneralSingle(values[i]));
        i = (i + 1) % values.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GeneralSingleForm);

void FormatPicture(benchmark::State& state) {
    double value = -123.456;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numtext::formatPicture(value, "##0.0#"));
        value += 0.001;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FormatPicture);

void ReadNumber(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(numtext::readNumber(" -1.234E-12 "));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReadNumber);

} // namespace
