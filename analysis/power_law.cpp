#include "line_fit.h"
#include "methods.h"
#include "result_values.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 3;

} // namespace

// Curie–von Schweidler I = A·t^−n: a straight line of ln|I| against ln t, slope −n, intercept
// ln|A|. The readings at t > 0 of the sign of the largest current take part.
Result powerLaw(const MethodCall& call) {
    double sign = 1.0;
    double largest = -1.0;
    for (const Reading& r : call.window)
        if (!r.atLimit && std::fabs(r.value) > largest) {
            largest = std::fabs(r.value);
            sign = r.value < 0.0 ? -1.0 : 1.0;
        }
    std::vector<Point> points;
    for (const Reading& r : call.window)
        if (!r.atLimit && r.t > 0.0 && r.value * sign > 0.0)
            points.push_back({std::log(r.t), std::log(std::fabs(r.value))});
    if (points.size() < kLeastReadings)
        return tooFewReadings(Method::PowerLaw, points.size(), "reading after t = 0",
                              kLeastReadings);
    const std::optional<LineFit> line = fitLine(points);
    if (!line)
        return refused("the readings in the window are all at one time");
    const double n = -line->slope;
    const double amplitude = sign * std::exp(line->intercept);
    Result result;
    result.values.push_back(numberValue("n", n));
    result.values.push_back(numberValue("A_A", amplitude));
    result.values.push_back(numberValue("r2", line->r2));
    result.values.push_back(numberValue("readings", static_cast<double>(points.size())));
    for (const Point& p : points)
        result.fitted.push_back({std::exp(p.x), amplitude * std::exp(-n * p.x)});
    return result;
}

} // namespace analysis
