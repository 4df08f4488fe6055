#include "tick_labels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace chart {

namespace {

// Numbers from 0.01 up to (not including) 100000 are written as they are.
constexpr double kSmallestPlain = 1e-2;
constexpr double kLargestPlain = 1e5;
constexpr int kMostDecimals = 9;

bool isWhole(double value) {
    return std::fabs(value - std::round(value)) <= 1e-6 * std::max(1.0, std::fabs(value));
}

// The smallest difference between neighbouring ticks; the tick's own size when there is one.
double closestStep(const std::vector<double>& scaled) {
    double step = 0.0;
    for (std::size_t i = 1; i < scaled.size(); ++i) {
        const double difference = std::fabs(scaled[i] - scaled[i - 1]);
        if (difference > 0.0 && (step == 0.0 || difference < step))
            step = difference;
    }
    if (step == 0.0 && !scaled.empty())
        step = std::fabs(scaled.front());
    return step > 0.0 ? step : 1.0;
}

// Enough decimals for every tick to be written exactly, but no more than one past the first
// digit of the step (equal intervals between arbitrary limits are rarely round numbers).
int decimalsFor(const std::vector<double>& scaled) {
    const double step = closestStep(scaled);
    const int enough =
        std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)) + 1, 0, kMostDecimals);
    for (int decimals = 0; decimals < enough; ++decimals) {
        const double shift = std::pow(10.0, decimals);
        if (std::all_of(scaled.begin(), scaled.end(),
                        [shift](double value) { return isWhole(value * shift); }))
            return decimals;
    }
    return enough;
}

std::string fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    // A tick a rounding error below zero is still zero.
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

int commonExponent(const std::vector<double>& ticks) {
    double largest = 0.0;
    for (const double tick : ticks)
        largest = std::max(largest, std::fabs(tick));
    if (largest == 0.0 || !std::isfinite(largest) ||
        (largest >= kSmallestPlain && largest < kLargestPlain))
        return 0;
    const int exponent = static_cast<int>(std::floor(std::log10(largest) + 1e-9));
    return 3 * static_cast<int>(std::floor(exponent / 3.0));
}

} // namespace

std::string superscript(int exponent) {
    static constexpr std::array<const char*, 10> kDigits = {"⁰", "¹", "²", "³", "⁴",
                                                            "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = exponent < 0 ? "⁻" : "";
    for (const char digit : std::to_string(std::abs(exponent)))
        text += kDigits[static_cast<std::size_t>(digit - '0')];
    return text;
}

std::string decadeLabel(int exponent) {
    return "10" + superscript(exponent);
}

TickLabels linearTickLabels(const std::vector<double>& ticks) {
    const int exponent = commonExponent(ticks);
    const double scale = std::pow(10.0, exponent);
    std::vector<double> scaled;
    scaled.reserve(ticks.size());
    for (const double tick : ticks)
        scaled.push_back(tick / scale);
    const int decimals = decimalsFor(scaled);
    TickLabels result;
    result.labels.reserve(ticks.size());
    for (const double value : scaled)
        result.labels.push_back(fixed(value, decimals));
    if (exponent != 0)
        result.factor = "×" + decadeLabel(exponent);
    return result;
}

} // namespace chart
