#include "sim/device_models.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gpibsim {

namespace {

constexpr double kThermalVoltage = 0.025852; // V at 300 K

double leakage(const ModelSettings& m, double voltage) {
    return voltage / m.leakageResistance;
}

// A dielectric relaxing after the voltage was applied.
double relaxationCurrent(const ModelSettings& m, const Stimulus& s) {
    const double decay = std::exp(-std::max(0.0, s.secondsSinceApplied) / m.relaxationTime);
    return leakage(m, s.voltage) + m.relaxationAmplitude * s.voltage * decay;
}

// Forward bias is positive; the exponent is capped so a large forward voltage stays finite
// (the current limit clamps it long before).
double diodeCurrent(const ModelSettings& m, double voltage) {
    const double exponent = std::min(voltage / (m.diodeIdeality * kThermalVoltage), 600.0);
    return m.diodeSaturationCurrent * std::expm1(exponent) + leakage(m, voltage);
}

// The displacement current of a ramp across the capacitor, plus its leakage.
double capacitorCurrent(const ModelSettings& m, const Stimulus& s) {
    return mosCapacitance(m, s.voltage) * s.rampRate + leakage(m, s.voltage);
}

double defaultDevice(const ModelSettings& m, const Stimulus& s) {
    switch (s.function) {
    case MeasureFunction::Current:
        return relaxationCurrent(m, s);
    case MeasureFunction::CurrentVoltage:
        return diodeCurrent(m, s.voltage);
    case MeasureFunction::CapacitanceVoltage:
        return capacitorCurrent(m, s);
    }
    return 0.0;
}

double shortCircuit(double voltage) {
    return voltage == 0.0 ? 0.0 : std::copysign(std::numeric_limits<double>::infinity(), voltage);
}

} // namespace

double mosCapacitance(const ModelSettings& m, double voltage) {
    // Accumulation below the flat-band voltage, depletion above, a logistic step between.
    const double depletedShare =
        1.0 / (1.0 + std::exp(-(voltage - m.flatBandVoltage) / m.transitionWidth));
    return m.oxideCapacitance + (m.depletionCapacitance - m.oxideCapacitance) * depletedShare;
}

double deviceCurrent(const ModelSettings& model, const Stimulus& stimulus) {
    switch (model.kind) {
    case ModelKind::Default:
        return defaultDevice(model, stimulus);
    case ModelKind::Resistor:
        return stimulus.voltage / model.resistance;
    case ModelKind::Open:
        return 0.0;
    case ModelKind::Short:
        return shortCircuit(stimulus.voltage);
    }
    return 0.0;
}

} // namespace gpibsim
