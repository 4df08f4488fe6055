#pragma once

// The readings of a test or a data file as the analysis takes them.

#include "analysis/readings.h"
#include "hp4140/hp4140_data.h"
#include "hp4140/test_config.h"

#include <cstddef>
#include <span>
#include <vector>

namespace datafile {

struct AnalysisReadings {
    std::vector<analysis::Reading> readings;
    std::size_t leftOut = 0; // over range, or a reply that does not parse: no value to take
};

// Each reading's time, voltage, value and current-limit flag, in order, as the table shows
// them. Whether a reading has a
// value is read from its reply, which a data file keeps, so the placeholders of a reading over
// range (1) or of a reply that did not parse (0) never pass for values.
AnalysisReadings analysisReadings(std::span<const HP4140DataType> readings);

// What the readings are a curve of: capacitance against voltage for capacitances; for currents,
// current against time when every reading is at one voltage (the I test, or a held bias),
// else current against voltage.
analysis::Curve curveOf(bool capacitance, std::span<const analysis::Reading> readings);

// The curve a test of the function makes: current against time for I, current against voltage
// for I-V, capacitance against voltage for C-V.
analysis::Curve curveOfFunction(hp4140::Function function);

} // namespace datafile
