#pragma once

// What the capacitance methods share: 1/C² against V, and the doping it gives.

#include "readings.h"

#include <span>
#include <vector>

namespace analysis {

// (V, 1/C²) of the readings with a capacitance above 0, in reading order.
std::vector<Point> inverseSquares(std::span<const Reading> readings);

// From the depletion approximation, d(1/C²)/dV = ±2/(q·εs·ε0·N·A²), so
//   N = 2/(q·εs·ε0·A²·|d(1/C²)/dV|)   in cm⁻³ for A in cm² and ε0 in F/cm.
double dopingFromSlope(double slope, double area, double epsS);

// The capacitance on the line 1/C² = slope·V + intercept at each voltage where the line lies
// above 0, to draw the fit among the readings.
std::vector<Point> capacitanceOnLine(std::span<const Point> inverseSquare, double slope,
                                     double intercept);

} // namespace analysis
