#pragma once

// Between two neighbouring readings. A current spans decades between two readings, so it is
// interpolated on its logarithm wherever both readings have one.

#include "readings.h"

namespace analysis {

// The y at x on the line through a and b: on ln|y| when a.y and b.y are of one sign and neither
// is 0 (the sign kept), else straight.
double interpolateY(Point a, Point b, double x);

enum class Scale { Linear, Logarithmic };

// The x where y reaches `level` on the way from a to b (a.y and b.y on either side of it):
// logarithmic interpolates on ln y where level, a.y and b.y are all above 0.
double interpolateX(Point a, Point b, double level, Scale scale);

// Whether x lies between a.x and b.x (either way round, ends included).
bool between(double x, Point a, Point b);

} // namespace analysis
