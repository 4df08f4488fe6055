#include "interpolation.h"
#include "methods.h"
#include "result_values.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 2;

Point pointOf(const Reading& r) {
    return {r.v, r.value};
}

std::string spanText(std::span<const Reading> window) {
    const auto [low, high] = std::ranges::minmax(window, {}, &Reading::v);
    return resultNumberText(low.v) + " to " + resultNumberText(high.v) + " V";
}

} // namespace

// The current at a bias, interpolated on ln|I| between the first two neighbouring readings that
// enclose it (an up/down sweep's way up, where it has one).
Result leakage(const MethodCall& call) {
    const auto window = call.window;
    if (window.size() < kLeastReadings)
        return tooFewReadings(Method::Leakage, window.size(), "reading", kLeastReadings);
    const double bias = *call.inputs.at;
    for (std::size_t i = 1; i < window.size(); ++i) {
        const Point a = pointOf(window[i - 1]);
        const Point b = pointOf(window[i]);
        if (!between(bias, a, b))
            continue;
        Result result;
        if (window[i - 1].atLimit || window[i].atLimit) {
            result.values.push_back(
                undeterminedValue("I_A", "the current is held at the current limit at that bias"));
            return result;
        }
        const double current = interpolateY(a, b, bias);
        result.values.push_back(numberValue("I_A", current));
        result.fitted.push_back({bias, current});
        return result;
    }
    return refused("the bias " + resultNumberText(bias) +
                   " V lies outside the readings in the "
                   "window (" +
                   spanText(window) + ")");
}

} // namespace analysis
