// Every method on 10,000 readings, as a long or finely stepped run gives them; the target is
// well under 50 ms each, so the analyse panel can follow a run that is still coming in.

#include "analysis/method.h"
#include "analysis/views.h"
#include "sim/mos_capacitor.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using analysis::Curve;
using analysis::Method;
using analysis::Reading;

constexpr int kReadings = 10000;

std::vector<Reading> readings(double from, double to, const std::function<double(double)>& value,
                              bool time = false) {
    std::vector<Reading> r;
    for (int k = 0; k < kReadings; ++k) {
        const double x = from + (to - from) * k / (kReadings - 1);
        r.push_back({time ? x : k * 0.1, time ? 5.0 : x, value(x), false});
    }
    return r;
}

// A diode with 50 ohm in series, walked along its junction voltage to about 10 mA.
std::vector<Reading> diode() {
    std::vector<Reading> r;
    for (int k = 0; k < kReadings; ++k) {
        const double vj = 0.02 + 0.96 * k / (kReadings - 1);
        const double i = 1e-13 * std::expm1(vj / (1.5 * 0.025852)) + vj / 1e9;
        r.push_back({k * 0.1, vj + 50.0 * i, i, false});
    }
    return r;
}

double reverse(double v) {
    return -(2e-12 + -v / 2e9 + 1e-9 * std::exp((-v - 50.0) / 0.5));
}

double mos(double v) {
    gpibsim::ModelSettings m;
    m.kind = gpibsim::ModelKind::Mos;
    return gpibsim::quasiStaticCapacitance(m, v);
}

double schottky(double v) {
    return 1e-10 / std::sqrt(0.7 - v);
}

void run(benchmark::State& state, Method method, Curve curve, const std::vector<Reading>& r) {
    analysis::Inputs inputs;
    inputs.method = method;
    inputs.at = -20.0;
    inputs.threshold = 1e-6;
    inputs.area = 1e-3;
    for (auto _ : state) {
        const analysis::Result result = analysis::analyse(inputs, curve, r);
        if (result.refusal)
            state.SkipWithError(result.refusal->c_str());
        benchmark::DoNotOptimize(result.values.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(r.size()));
}

void BM_Diode(benchmark::State& state) {
    static const auto r = diode();
    run(state, Method::Diode, Curve::CurrentVoltage, r);
}

void BM_Leakage(benchmark::State& state) {
    static const auto r = readings(0.0, -60.0, reverse);
    run(state, Method::Leakage, Curve::CurrentVoltage, r);
}

void BM_Breakdown(benchmark::State& state) {
    static const auto r = readings(0.0, -60.0, reverse);
    run(state, Method::Breakdown, Curve::CurrentVoltage, r);
}

void BM_Mos(benchmark::State& state) {
    static const auto r = readings(-4.0, 3.0, mos);
    run(state, Method::Mos, Curve::CapacitanceVoltage, r);
}

void BM_MottSchottky(benchmark::State& state) {
    static const auto r = readings(-5.0, 0.0, schottky);
    run(state, Method::MottSchottky, Curve::CapacitanceVoltage, r);
}

void BM_Decay(benchmark::State& state) {
    static const auto r = readings(
        1.0, 100.0, [](double t) { return 2e-13 + 5e-11 * std::exp(-t / 12.0); }, true);
    run(state, Method::Decay, Curve::CurrentTime, r);
}

void BM_PowerLaw(benchmark::State& state) {
    static const auto r = readings(
        1.0, 1000.0, [](double t) { return 3e-12 * std::pow(t, -0.7); }, true);
    run(state, Method::PowerLaw, Curve::CurrentTime, r);
}

// The costliest view: a derivative over every pair of readings.
void BM_ConductanceView(benchmark::State& state) {
    static const auto points = analysis::curvePoints(Curve::CurrentVoltage, diode());
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::viewPoints(analysis::View::Conductance, points).data());
    state.SetItemsProcessed(state.iterations() * static_cast<long>(points.size()));
}

} // namespace

BENCHMARK(BM_Diode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Leakage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Breakdown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mos)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MottSchottky)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PowerLaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConductanceView)->Unit(benchmark::kMillisecond);
