#include "analysis_readings.h"

#include "hp4140/parse_hp4140_data.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>

namespace datafile {

namespace {

// The number a reading shows (its seven digits), not the binary float that holds it, so that a
// window to 0.23 V takes the reading at 0.23 V.
double shown(float value) {
    return numtext::parseNumber(numtext::formatGeneralSingle(value)).value_or(value);
}

} // namespace

AnalysisReadings analysisReadings(std::span<const HP4140DataType> readings) {
    AnalysisReadings taken;
    for (const HP4140DataType& reading : readings) {
        HP4140DataType parsed;
        parsed.RawData = reading.RawData;
        if (!ParseHP4140Data(parsed, nullptr) || parsed.OutOfRange) {
            ++taken.leftOut;
            continue;
        }
        taken.readings.push_back({shown(reading.Timerel), shown(reading.Voltage),
                                  shown(reading.Current), reading.AtCurrentLimit});
    }
    return taken;
}

analysis::Curve curveOf(bool capacitance, std::span<const analysis::Reading> readings) {
    if (capacitance)
        return analysis::Curve::CapacitanceVoltage;
    const bool held = std::ranges::all_of(
        readings, [&](const analysis::Reading& r) { return r.v == readings.front().v; });
    return held ? analysis::Curve::CurrentTime : analysis::Curve::CurrentVoltage;
}

analysis::Curve curveOfFunction(hp4140::Function function) {
    switch (function) {
    case hp4140::Function::I:
        return analysis::Curve::CurrentTime;
    case hp4140::Function::CV:
        return analysis::Curve::CapacitanceVoltage;
    case hp4140::Function::IV:
        break;
    }
    return analysis::Curve::CurrentVoltage;
}

} // namespace datafile
