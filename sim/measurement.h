#pragma once

#include "sim/instrument_setup.h"
#include "sim/reply_format.h"
#include "sim/sim_settings.h"
#include "sim/sweep_plan.h"

#include <cstdint>

namespace gpibsim {

// Where a reading sits: which run (counted from reset) and which reading of that run. Together
// with the seed they fix the reading's noise.
struct ReadingIndex {
    std::uint64_t run = 0;
    long reading = 0;
};

// What the instrument makes of the device at one point of a run: the current limit clamps the
// current (and no noise is added to a clamped value), the meter adds noise and its offset less
// the zero correction, and in C-V the value is the quasi-static capacitance C = I / (dV/dt).
struct Measurement {
    Reading reading;
    bool atCurrentLimit = false;
};

struct MeterState {
    const InstrumentSetup& setup;
    const SimSettings& settings;
    double zeroCorrection = 0.0; // A
};

// Seconds one reading integrates for, by the setup's I1..I3.
double readingTime(const InstrumentSetup& setup, const SimSettings& settings);

Measurement measure(const MeterState& meter, const SweepPlan::Point& point, ReadingIndex index);

// Capacitances above this are over range.
inline constexpr double kCapacitanceRangeMax = 1.9999e-9;

} // namespace gpibsim
