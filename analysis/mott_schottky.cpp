#include "capacitance.h"
#include "line_fit.h"
#include "methods.h"
#include "result_values.h"

#include <cmath>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 3;

} // namespace

// Mott–Schottky: 1/C² = 2·(Vbi − V)/(q·εs·ε0·N·A²) over the window. N from the slope; Vbi where
// the line meets the V axis, taken so that a device wired either way round gives its own
// built-in voltage: with 1/C² = a·V + b, Vbi = b/|a|.
Result mottSchottky(const MethodCall& call) {
    const std::vector<Point> points = inverseSquares(call.window);
    if (points.size() < kLeastReadings)
        return tooFewReadings(Method::MottSchottky, points.size(), "reading with a capacitance",
                              kLeastReadings);
    const std::optional<LineFit> line = fitLine(points);
    if (!line || line->slope == 0.0)
        return refused("1/C² does not change with the voltage in the window");
    Result result;
    result.values.push_back(numberValue("Vbi_V", line->intercept / std::fabs(line->slope)));
    result.values.push_back(
        numberValue("N_cm3", dopingFromSlope(line->slope, *call.inputs.area, call.inputs.epsS)));
    result.values.push_back(numberValue("r2", line->r2));
    result.values.push_back(numberValue("readings", static_cast<double>(points.size())));
    result.fitted = capacitanceOnLine(points, line->slope, line->intercept);
    return result;
}

} // namespace analysis
