#include "readings.h"

namespace analysis {

namespace {

int signOf(double step) {
    return (step > 0.0) - (step < 0.0);
}

} // namespace

double xOf(Curve curve, const Reading& reading) {
    return curve == Curve::CurrentTime ? reading.t : reading.v;
}

std::vector<Point> curvePoints(Curve curve, std::span<const Reading> readings) {
    std::vector<Point> points;
    points.reserve(readings.size());
    for (const Reading& r : readings)
        points.push_back({xOf(curve, r), r.value});
    return points;
}

std::size_t secondBranchStart(std::span<const Reading> readings) {
    int direction = 0;
    for (std::size_t i = 1; i < readings.size(); ++i) {
        const int step = signOf(readings[i].v - readings[i - 1].v);
        if (direction == 0)
            direction = step;
        else if (step == -direction)
            return i;
    }
    return readings.size();
}

} // namespace analysis
