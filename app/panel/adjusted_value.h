#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

// A numeric field's limits, where it has them.
struct FieldLimits {
    std::optional<double> min;
    std::optional<double> max;
};

// What to tell the user about a value a configuration file held that a field could not take as
// it stood: "Stop Voltage: 'NaN' is not a number; 0 used", "Sample Rate (sec): '-1' is less than
// 0.1; 0.1 used". Nothing when the field took the value (perhaps laid out anew).
std::optional<std::string> adjustedValueNote(std::string_view caption, std::string_view stored,
                                             std::string_view used, const FieldLimits& limits);

} // namespace app
