#include "sim/measurement.h"

#include "sim/device_models.h"
#include "sim/noise.h"

#include <cmath>

namespace gpibsim {

namespace {

// Longer integration and the filter both quieten the meter.
double noiseScale(const MeterState& m) {
    const double integration =
        std::sqrt(m.settings.readingTimes[0] / readingTime(m.setup, m.settings));
    return integration * (m.setup.filter ? 0.5 : 1.0);
}

double noisyCurrent(const MeterState& m, double current, ReadingIndex index) {
    const NoiseSettings& n = m.settings.noise;
    const auto reading = static_cast<std::uint64_t>(index.reading);
    const double relative =
        n.relative * std::fabs(current) * gaussianNoise(n.seed, index.run, reading, 0);
    const double absolute = n.absolute * gaussianNoise(n.seed, index.run, reading, 1);
    return current + (relative + absolute) * noiseScale(m);
}

} // namespace

double readingTime(const InstrumentSetup& setup, const SimSettings& settings) {
    const int code = setup.integration >= 1 && setup.integration <= 3 ? setup.integration : 1;
    return settings.readingTimes[static_cast<std::size_t>(code - 1)];
}

Measurement measure(const MeterState& meter, const SweepPlan::Point& point, ReadingIndex index) {
    const Stimulus stimulus{meter.setup.function, point.voltage, point.rampRate,
                            point.secondsSinceApplied};
    const double truth = deviceCurrent(meter.settings.model, stimulus);
    const double limit = currentLimitAmps(meter.setup.currentLimitVA);
    const bool clamped = !(std::fabs(truth) <= limit);
    double current = clamped ? std::copysign(limit, truth) : noisyCurrent(meter, truth, index);
    current += meter.settings.offsetCurrent - meter.zeroCorrection;

    Measurement m;
    m.atCurrentLimit = clamped;
    m.reading.voltage = point.voltage;
    m.reading.value = current;
    bool overRange = false;
    if (meter.setup.function == MeasureFunction::CapacitanceVoltage) {
        m.reading.capacitance = true;
        m.reading.value = point.rampRate == 0.0 ? 0.0 : current / point.rampRate;
        overRange = point.rampRate == 0.0 || !(std::fabs(m.reading.value) <= kCapacitanceRangeMax);
    }
    m.reading.status = overRange ? ReadingStatus::OverRange
                       : clamped ? ReadingStatus::AtLimit
                                 : ReadingStatus::Normal;
    return m;
}

} // namespace gpibsim
