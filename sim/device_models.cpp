#include "sim/device_models.h"

#include "sim/mos_capacitor.h"

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

// The junction with its leakage in parallel, at the voltage across the two. Forward bias is
// positive; the exponent is capped so a large forward voltage stays finite (the current limit
// clamps it long before).
double junctionCurrent(const ModelSettings& m, double voltage) {
    const double exponent = std::min(voltage / (m.diodeIdeality * kThermalVoltage), 600.0);
    return m.diodeSaturationCurrent * std::expm1(exponent) + leakage(m, voltage);
}

// With a series resistance the junction sees V − I·Rs: g(Vj) = Vj + Rs·I(Vj) − V = 0 rises and
// is convex, so Newton's method falls straight onto the root from a point where g ≥ 0: V in
// forward bias, 0 in reverse.
double junctionVoltage(const ModelSettings& m, double voltage) {
    const double rs = m.seriesResistance;
    const double nVt = m.diodeIdeality * kThermalVoltage;
    double vj = std::max(voltage, 0.0);
    for (int i = 0; i < 200; ++i) {
        const double g = vj + rs * junctionCurrent(m, vj) - voltage;
        const double slope =
            1.0 + rs * (m.diodeSaturationCurrent * std::exp(std::min(vj / nVt, 600.0)) / nVt +
                        1.0 / m.leakageResistance);
        const double step = g / slope;
        vj -= step;
        if (!(std::fabs(step) > 1e-15 * std::max(1.0, std::fabs(vj))))
            break;
    }
    return vj;
}

double diodeCurrent(const ModelSettings& m, double voltage) {
    return junctionCurrent(m, m.seriesResistance == 0.0 ? voltage : junctionVoltage(m, voltage));
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

// An ideal MOS capacitor passes only its leakage, and in C-V its displacement current.
double mosDevice(const ModelSettings& m, const Stimulus& s) {
    if (s.function != MeasureFunction::CapacitanceVoltage)
        return leakage(m, s.voltage);
    return quasiStaticCapacitance(m, s.voltage) * s.rampRate + leakage(m, s.voltage);
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
    case ModelKind::Mos:
        return mosDevice(model, stimulus);
    }
    return 0.0;
}

} // namespace gpibsim
