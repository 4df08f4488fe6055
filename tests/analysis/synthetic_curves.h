#pragma once

// Curves made from a model's equation, read as the instrument reports them: four significant
// digits for the value, the voltage to 10 mV.

#include "analysis/readings.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <vector>

namespace analysis::test {

inline double fourDigits(double value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 3);
    double read = 0.0;
    std::from_chars(text, end.ptr, read);
    return read;
}

// Readings from `from` to `to` volts in steps, one a second; values above the limit are held
// at it and marked, as the instrument does.
inline std::vector<Reading> voltageSweep(double from, double to, double step,
                                         const std::function<double(double)>& value,
                                         double limit = INFINITY) {
    std::vector<Reading> readings;
    const int steps = static_cast<int>(std::lround((to - from) / step));
    for (int k = 0; k <= steps; ++k) {
        const double v = std::round((from + k * step) * 100.0) / 100.0;
        const double exact = value(v);
        const bool clamped = std::fabs(exact) > limit;
        readings.push_back({static_cast<double>(k), v,
                            fourDigits(clamped ? std::copysign(limit, exact) : exact), clamped});
    }
    return readings;
}

inline std::vector<Reading> timeSeries(double first, double last, double every,
                                       const std::function<double(double)>& value,
                                       double voltage = 5.0) {
    std::vector<Reading> readings;
    for (double t = first; t <= last + 1e-9; t += every)
        readings.push_back({t, voltage, fourDigits(value(t)), false});
    return readings;
}

} // namespace analysis::test
