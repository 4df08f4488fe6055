#include "log_ticks.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace chart {

namespace {

// A decade this close to a limit (in decades) still counts as inside the range.
constexpr double kEdge = 1e-9;

int floorDiv(int a, int b) {
    return static_cast<int>(std::floor(static_cast<double>(a) / b));
}

int ceilDiv(int a, int b) {
    return static_cast<int>(std::ceil(static_cast<double>(a) / b));
}

int multiplesBetween(int first, int last, int step) {
    return floorDiv(last, step) - ceilDiv(first, step) + 1;
}

// 1, 2, 5, 10, 20, 50, ...: the first step whose decades fit, unless it would leave fewer than
// two (then the one before).
int decadeStep(int first, int last, int maxMajor) {
    int previous = 1;
    for (int decade = 1;; decade *= 10) {
        for (const int mantissa : {1, 2, 5}) {
            const int step = mantissa * decade;
            const int count = multiplesBetween(first, last, step);
            if (count < 2)
                return previous;
            if (count <= maxMajor)
                return step;
            previous = step;
        }
    }
}

bool inside(double value, AxisRange range) {
    return value >= range.lower * (1.0 - 1e-12) && value <= range.upper * (1.0 + 1e-12);
}

LogTicks decadeTicks(int first, int last, AxisRange range, int maxMajor) {
    const int step = decadeStep(first, last, std::max(maxMajor, 2));
    LogTicks ticks{{}, {}, true};
    for (int exponent = first - 1; exponent <= last; ++exponent) {
        const double decade = std::pow(10.0, exponent);
        if (exponent >= first && exponent % step == 0)
            ticks.major.push_back(decade);
        else if (exponent >= first)
            ticks.minor.push_back(decade);
        if (step != 1)
            continue;
        for (int mantissa = 2; mantissa <= 9; ++mantissa)
            if (inside(mantissa * decade, range))
                ticks.minor.push_back(mantissa * decade);
    }
    return ticks;
}

// The mantissas' multiples of the decades in the range, in rising order.
std::vector<double> mantissaTicks(AxisRange range, std::initializer_list<int> mantissas) {
    std::vector<double> ticks;
    const int first = static_cast<int>(std::floor(std::log10(range.lower)));
    const int last = static_cast<int>(std::floor(std::log10(range.upper)));
    for (int exponent = first; exponent <= last; ++exponent)
        for (const int mantissa : mantissas)
            if (const double tick = mantissa * std::pow(10.0, exponent); inside(tick, range))
                ticks.push_back(tick);
    return ticks;
}

} // namespace

std::optional<LogTicks> logTicks(AxisRange range, int maxMajor) {
    if (!(range.lower > 0.0) || !(range.upper > range.lower) || !std::isfinite(range.upper))
        return std::nullopt;
    const int first = static_cast<int>(std::ceil(std::log10(range.lower) - kEdge));
    const int last = static_cast<int>(std::floor(std::log10(range.upper) + kEdge));
    if (last - first >= 1)
        return decadeTicks(first, last, range, maxMajor);
    for (const auto& mantissas : {std::initializer_list<int>{1, 2, 5},
                                  std::initializer_list<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}}) {
        std::vector<double> major = mantissaTicks(range, mantissas);
        if (major.size() >= 2)
            return LogTicks{std::move(major), {}, false};
    }
    return std::nullopt;
}

} // namespace chart
