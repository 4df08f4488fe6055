#include "capacitance.h"

#include "physics.h"

#include <cmath>

namespace analysis {

std::vector<Point> inverseSquares(std::span<const Reading> readings) {
    std::vector<Point> points;
    for (const Reading& r : readings)
        if (r.value > 0.0)
            points.push_back({r.v, 1.0 / (r.value * r.value)});
    return points;
}

double dopingFromSlope(double slope, double area, double epsS) {
    return 2.0 / (physics::kElementaryCharge * epsS * physics::kVacuumPermittivity * area * area *
                  std::fabs(slope));
}

std::vector<Point> capacitanceOnLine(std::span<const Point> inverseSquare, double slope,
                                     double intercept) {
    std::vector<Point> curve;
    for (const Point& p : inverseSquare)
        if (const double y = slope * p.x + intercept; y > 0.0)
            curve.push_back({p.x, 1.0 / std::sqrt(y)});
    return curve;
}

} // namespace analysis
