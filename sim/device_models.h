#pragma once

#include "sim/sim_settings.h"

namespace gpibsim {

enum class MeasureFunction { Current = 1, CurrentVoltage = 2, CapacitanceVoltage = 3 };

// What the instrument applies to the device at the moment of a reading.
struct Stimulus {
    MeasureFunction function = MeasureFunction::Current;
    double voltage = 0.0;             // V
    double rampRate = 0.0;            // V/s
    double secondsSinceApplied = 0.0; // since the output went to this voltage
};

// The true current through the device, in amperes; may be infinite (a short).
double deviceCurrent(const ModelSettings& model, const Stimulus& stimulus);

// The default device's capacitance at a voltage: a logistic step from the oxide capacitance
// down to the depletion capacitance.
double mosCapacitance(const ModelSettings& model, double voltage);

} // namespace gpibsim
