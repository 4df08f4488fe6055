#include "manual_axis.h"

#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace chart {

namespace {

constexpr AxisRounding kSixtySeconds{60.0f, -5, true};
constexpr AxisRounding kFiftyVolts{50.0f, -4, false};
constexpr AxisRounding kTens{10.0f, -9, true};
constexpr AxisRounding kOnes{1.0f, 0, true};
constexpr std::array kRoundings{kSixtySeconds, kFiftyVolts, kTens, kOnes};

float roundedDown(float value, float unit) {
    return std::floor(value / unit) * unit;
}

float roundedUp(float value, float unit) {
    return std::ceil(value / unit) * unit;
}

// The limits rounded outwards to the unit, never an empty range.
ManualXAxis roundedLimits(float lo, float hi, AxisRounding rounding) {
    ManualXAxis axis{roundedDown(lo, rounding.unit), roundedUp(hi, rounding.unit), 0.0f,
                     rounding.minorTicks};
    if (axis.max <= axis.min)
        axis.max = axis.min + rounding.unit;
    return axis;
}

} // namespace

AxisRounding timeRounding(float span) {
    if (span > 90.0f)
        return kSixtySeconds;
    if (span > 10.0f)
        return kTens;
    return kOnes;
}

AxisRounding voltageRounding(float span) {
    if (span > 100.0f)
        return kFiftyVolts;
    if (span > 10.0f)
        return kTens;
    return kOnes;
}

ManualXAxis manualTimeAxis(float a, float b) {
    const float lo = std::min(a, b);
    const float hi = std::max(a, b);
    const AxisRounding rounding = timeRounding(hi - lo);
    ManualXAxis axis = roundedLimits(lo, hi, rounding);
    axis.ticks = (axis.max - axis.min) / rounding.unit;
    return axis;
}

ManualXAxis manualVoltageAxis(float a, float b) {
    const float lo = std::min(a, b);
    const float hi = std::max(a, b);
    const AxisRounding rounding = voltageRounding(hi - lo);
    ManualXAxis axis = roundedLimits(lo, hi, rounding);

    // A range with zero inside counts its ticks from zero to the farther end.
    const bool zeroInside = lo < 0.0f && hi > 0.0f;
    float baseLow = zeroInside ? 0.0f : lo;
    float baseHigh = zeroInside ? std::max(std::fabs(hi), std::fabs(lo)) : hi;
    if (rounding.tickBaseRounded) {
        baseLow = roundedDown(baseLow, rounding.unit);
        baseHigh = roundedUp(baseHigh, rounding.unit);
    }
    if (baseHigh <= baseLow)
        baseHigh = baseLow + rounding.unit;
    axis.ticks = (baseHigh - baseLow) / rounding.unit;
    return axis;
}

TickLayout manualTickLayout(std::int16_t minorTicks, float ticks, double span, int maxIntervals) {
    const auto rounding = std::find_if(kRoundings.begin(), kRoundings.end(),
                                       [&](const auto& r) { return r.minorTicks == minorTicks; });
    if (rounding == kRoundings.end())
        return {ticks > 0.0f ? span / ticks : span, 0};
    const double unit = rounding->unit;
    if (!(span / unit > maxIntervals))
        return {unit, std::abs(minorTicks)};

    constexpr std::array<double, 3> mantissas{2.0, 5.0, 10.0};
    for (double decade = 1.0; decade < 1e12; decade *= 10.0) {
        for (const double mantissa : mantissas) {
            const double factor = mantissa * decade;
            if (span / (unit * factor) <= maxIntervals)
                return {unit * factor, factor <= 10.0 ? static_cast<int>(factor) - 1 : 4};
        }
    }
    return {span, 0};
}

ManualYAxis manualYAxis(const ScaleListSelection& first, const ScaleListSelection& second,
                        bool logarithmic) {
    const double y0 = numtext::readNumber(first.text);
    double y1 = numtext::readNumber(second.text);
    if (y0 == y1)
        y1 *= 10.0;
    ManualYAxis axis{std::min(y0, y1), std::max(y0, y1), std::nullopt};
    if (!logarithmic)
        axis.ticks = std::abs(first.position - second.position) >= 2 ? 10 : 9;
    return axis;
}

} // namespace chart
