#pragma once

// Straight lines through points: the least-squares line, and the stretch of a curve where it is
// steepest and straight (the exponential part of a diode's ln I, the depletion part of a MOS
// capacitor's 1/C²).

#include "readings.h"

#include <cstddef>
#include <optional>
#include <span>

namespace analysis {

struct LineFit {
    double slope = 0.0;
    double intercept = 0.0;
    double r2 = 0.0; // 1 − SSres/SStot
};

// The least-squares line y = slope·x + intercept; nullopt for fewer than two points or when
// every x is the same.
std::optional<LineFit> fitLine(std::span<const Point> points);

// r² = 1 − SSres/SStot of a fit to the points' y whose residuals square to sumOfSquares.
double coefficientOfDetermination(std::span<const Point> points, double sumOfSquares);

// A stretch [first, end) of the points.
struct Stretch {
    std::size_t first = 0;
    std::size_t end = 0;
};

// Among points in rising x, the run of `run` consecutive points whose least-squares slope is the
// greatest, widened over the neighbouring runs whose slope stays within `tolerance` (a fraction)
// of it. nullopt when there are fewer than `run` points or no run rises.
std::optional<Stretch> steepestStretch(std::span<const Point> points, std::size_t run,
                                       double tolerance);

} // namespace analysis
