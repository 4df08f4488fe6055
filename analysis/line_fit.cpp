#include "line_fit.h"

#include <algorithm>
#include <vector>

namespace analysis {

namespace {

struct Sums {
    double x = 0.0, y = 0.0, xx = 0.0, xy = 0.0;

    Sums operator-(const Sums& o) const { return {x - o.x, y - o.y, xx - o.xx, xy - o.xy}; }

    // Slope of n points from their sums; 0 when the x do not spread.
    double slope(double n) const {
        const double sxx = xx - x * x / n;
        return sxx > 0.0 ? (xy - x * y / n) / sxx : 0.0;
    }
};

Point meanOf(std::span<const Point> points) {
    Point mean;
    for (const Point& p : points) {
        mean.x += p.x;
        mean.y += p.y;
    }
    const auto n = static_cast<double>(points.size());
    return {mean.x / n, mean.y / n};
}

// Running sums of the points about their mean, so the slope of any run is two subtractions.
std::vector<Sums> prefixSums(std::span<const Point> points) {
    const Point mean = meanOf(points);
    std::vector<Sums> sums(points.size() + 1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = points[i].x - mean.x;
        const double y = points[i].y - mean.y;
        sums[i + 1] = {sums[i].x + x, sums[i].y + y, sums[i].xx + x * x, sums[i].xy + x * y};
    }
    return sums;
}

} // namespace

// slope = Σ(x−x̄)(y−ȳ) / Σ(x−x̄)²; intercept = ȳ − slope·x̄.
std::optional<LineFit> fitLine(std::span<const Point> points) {
    if (points.size() < 2)
        return std::nullopt;
    const Point mean = meanOf(points);
    double sxx = 0.0, sxy = 0.0, syy = 0.0;
    for (const Point& p : points) {
        sxx += (p.x - mean.x) * (p.x - mean.x);
        sxy += (p.x - mean.x) * (p.y - mean.y);
        syy += (p.y - mean.y) * (p.y - mean.y);
    }
    if (!(sxx > 0.0))
        return std::nullopt;
    LineFit fit;
    fit.slope = sxy / sxx;
    fit.intercept = mean.y - fit.slope * mean.x;
    const double residual = std::max(0.0, syy - fit.slope * sxy);
    fit.r2 = syy > 0.0 ? 1.0 - residual / syy : 1.0;
    return fit;
}

double coefficientOfDetermination(std::span<const Point> points, double sumOfSquares) {
    if (points.empty())
        return 1.0;
    const double mean = meanOf(points).y;
    double total = 0.0;
    for (const Point& p : points)
        total += (p.y - mean) * (p.y - mean);
    return total > 0.0 ? 1.0 - sumOfSquares / total : 1.0;
}

std::optional<Stretch> steepestStretch(std::span<const Point> points, std::size_t run,
                                       double tolerance) {
    if (run < 2 || points.size() < run)
        return std::nullopt;
    const std::vector<Sums> sums = prefixSums(points);
    std::vector<double> slopes(points.size() - run + 1);
    for (std::size_t i = 0; i < slopes.size(); ++i)
        slopes[i] = (sums[i + run] - sums[i]).slope(static_cast<double>(run));
    const auto best = static_cast<std::size_t>(
        std::distance(slopes.begin(), std::max_element(slopes.begin(), slopes.end())));
    if (!(slopes[best] > 0.0))
        return std::nullopt;
    const double enough = (1.0 - tolerance) * slopes[best];
    std::size_t first = best;
    std::size_t last = best;
    while (first > 0 && slopes[first - 1] >= enough)
        --first;
    while (last + 1 < slopes.size() && slopes[last + 1] >= enough)
        ++last;
    return Stretch{first, last + run};
}

} // namespace analysis
