#include "interpolation.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

bool logarithmic(double y1, double y2) {
    return (y1 > 0.0 && y2 > 0.0) || (y1 < 0.0 && y2 < 0.0);
}

// The share of the way from a to b at which a value is reached.
double share(double from, double to, double value) {
    return to == from ? 0.0 : (value - from) / (to - from);
}

} // namespace

double interpolateY(Point a, Point b, double x) {
    const double s = share(a.x, b.x, x);
    if (!logarithmic(a.y, b.y))
        return a.y + s * (b.y - a.y);
    const double magnitude = std::exp(std::log(std::fabs(a.y)) +
                                      s * (std::log(std::fabs(b.y)) - std::log(std::fabs(a.y))));
    return std::copysign(magnitude, a.y);
}

double interpolateX(Point a, Point b, double level, Scale scale) {
    const bool log = scale == Scale::Logarithmic && level > 0.0 && a.y > 0.0 && b.y > 0.0;
    const double s =
        log ? share(std::log(a.y), std::log(b.y), std::log(level)) : share(a.y, b.y, level);
    return a.x + s * (b.x - a.x);
}

bool between(double x, Point a, Point b) {
    return std::min(a.x, b.x) <= x && x <= std::max(a.x, b.x);
}

} // namespace analysis
