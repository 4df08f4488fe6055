#include "least_squares.h"
#include "line_fit.h"
#include "methods.h"
#include "result_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 4;
constexpr int kTrialTimes = 61; // time constants tried for the start, log-spaced

// I = I∞ + A0·exp(−(t − t0)/τ), t0 the window's first time so the exponential starts at 1.
struct Relaxation {
    double level = 0.0;     // I∞
    double amplitude = 0.0; // A0 at t0
    double tau = 0.0;
};

// For a fixed τ the level and the amplitude are a straight-line fit of I against exp(−(t−t0)/τ).
std::pair<Relaxation, double> linearPart(std::span<const Point> points, double t0, double tau) {
    double n = 0, se = 0, see = 0, si = 0, sei = 0;
    for (const Point& p : points) {
        const double e = std::exp(-(p.x - t0) / tau);
        n += 1;
        se += e;
        see += e * e;
        si += p.y;
        sei += e * p.y;
    }
    const double spread = see - se * se / n;
    Relaxation r{si / n, 0.0, tau};
    if (spread > 0.0) {
        r.amplitude = (sei - se * si / n) / spread;
        r.level = (si - r.amplitude * se) / n;
    }
    double ss = 0.0;
    for (const Point& p : points) {
        const double d = r.level + r.amplitude * std::exp(-(p.x - t0) / tau) - p.y;
        ss += d * d;
    }
    return {r, ss};
}

// The best of time constants from a thousandth to ten times the window's span.
Relaxation startingPoint(std::span<const Point> points, double t0, double span) {
    Relaxation best;
    double bestSquares = std::numeric_limits<double>::infinity();
    for (int k = 0; k < kTrialTimes; ++k) {
        const double tau = span * std::pow(10.0, -3.0 + 4.0 * k / (kTrialTimes - 1));
        const auto [r, ss] = linearPart(points, t0, tau);
        if (ss < bestSquares) {
            bestSquares = ss;
            best = r;
        }
    }
    return best;
}

LeastSquaresFit refine(std::span<const Point> points, double t0, const Relaxation& start) {
    const Residuals residuals = [&](const Eigen::VectorXd& p, Eigen::VectorXd& r,
                                    Eigen::MatrixXd* jacobian) {
        const double tau = std::exp(p[2]);
        for (Eigen::Index i = 0; i < r.size(); ++i) {
            const Point& reading = points[static_cast<std::size_t>(i)];
            const double e = std::exp(-(reading.x - t0) / tau);
            r[i] = p[0] + p[1] * e - reading.y;
            if (jacobian)
                jacobian->row(i) << 1.0, e, p[1] * e * (reading.x - t0) / tau;
        }
    };
    const Eigen::Vector3d x0(start.level, start.amplitude, std::log(start.tau));
    return fitLeastSquares(static_cast<Eigen::Index>(points.size()), x0, residuals);
}

} // namespace

// Debye relaxation I = I∞ + A·exp(−t/τ): a start from the best of many τ (each with its linear
// least squares for I∞ and A), then Levenberg–Marquardt on all three.
Result decay(const MethodCall& call) {
    std::vector<Point> points;
    for (const Reading& r : call.window)
        if (!r.atLimit)
            points.push_back({r.t, r.value});
    if (points.size() < kLeastReadings)
        return tooFewReadings(Method::Decay, points.size(), "reading", kLeastReadings);
    const auto [first, last] = std::ranges::minmax(points, {}, &Point::x);
    const double span = last.x - first.x;
    if (!(span > 0.0))
        return refused("the readings in the window are all at one time");
    const double t0 = first.x;
    const LeastSquaresFit fit = refine(points, t0, startingPoint(points, t0, span));
    const Relaxation r{fit.parameters[0], fit.parameters[1], std::exp(fit.parameters[2])};
    if (!std::isfinite(r.tau) || !std::isfinite(r.level) || !std::isfinite(r.amplitude) ||
        r.amplitude == 0.0)
        return refused("the current in the window does not relax towards a level");
    const double amplitude = r.amplitude * std::exp(t0 / r.tau); // at t = 0

    Result result;
    result.values.push_back(numberValue("tau_s", r.tau));
    if (std::isfinite(amplitude))
        result.values.push_back(numberValue("A_A", amplitude));
    else
        result.values.push_back(undeterminedValue(
            "A_A", "the window starts too many time constants after the test's start"));
    result.values.push_back(numberValue("Iinf_A", r.level));
    result.values.push_back(
        numberValue("r2", coefficientOfDetermination(points, fit.sumOfSquares)));
    result.values.push_back(
        numberValue("rms_A", std::sqrt(fit.sumOfSquares / static_cast<double>(points.size()))));
    result.values.push_back(numberValue("readings", static_cast<double>(points.size())));
    for (const Point& p : points)
        result.fitted.push_back({p.x, r.level + r.amplitude * std::exp(-(p.x - t0) / r.tau)});
    return result;
}

} // namespace analysis
