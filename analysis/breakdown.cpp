#include "interpolation.h"
#include "methods.h"
#include "result_values.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 2;

std::string stayedBelow(std::span<const Reading> window, double threshold) {
    const Reading& largest =
        *std::ranges::max_element(window, {}, [](const Reading& r) { return std::fabs(r.value); });
    return "|I| stays below " + resultNumberText(threshold) + " A in the window (largest " +
           resultNumberText(std::fabs(largest.value)) + " A at " + resultNumberText(largest.v) +
           " V)";
}

} // namespace

// The bias where |I| first reaches the threshold, in reading order, interpolated on ln|I|
// between the reading before and the reading that reaches it.
Result breakdown(const MethodCall& call) {
    const auto window = call.window;
    if (window.size() < kLeastReadings)
        return tooFewReadings(Method::Breakdown, window.size(), "reading", kLeastReadings);
    const double threshold = *call.inputs.threshold;
    const auto reaches = [&](const Reading& r) { return std::fabs(r.value) >= threshold; };
    const auto first = std::ranges::find_if(window, reaches);
    Result result;
    if (first == window.end()) {
        result.values.push_back(undeterminedValue("Vbr_V", stayedBelow(window, threshold)));
    } else if (first == window.begin()) {
        result.values.push_back(undeterminedValue(
            "Vbr_V", "the first reading of the window already reaches the threshold"));
    } else {
        const Reading& before = *(first - 1);
        const double vbr =
            interpolateX({before.v, std::fabs(before.value)}, {first->v, std::fabs(first->value)},
                         threshold, Scale::Logarithmic);
        result.values.push_back(numberValue("Vbr_V", vbr));
        result.fitted.push_back({vbr, std::copysign(threshold, first->value)});
    }
    result.values.push_back(yesNoValue("at_limit", std::ranges::any_of(window, &Reading::atLimit)));
    return result;
}

} // namespace analysis
