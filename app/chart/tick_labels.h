#pragma once

// Tick labels in one style per axis. A logarithmic axis labels whole decades as powers of ten
// ("10⁻⁶"); any other axis writes plain numbers with the same number of decimals, and when the
// numbers are tiny or huge it takes out one common factor ("×10⁻¹²"), shown once at the axis end,
// instead of an exponent on every label.

#include <string>
#include <vector>

namespace chart {

// The exponent in superscript digits: -12 gives "⁻¹²".
std::string superscript(int exponent);

// "10" with the exponent raised: 10⁻⁶.
std::string decadeLabel(int exponent);

struct TickLabels {
    std::vector<std::string> labels;
    std::string factor; // "×10⁻¹²", or empty when the labels are the values themselves
};

// Labels for ticks a step apart (evenly spaced, or the 1-2-5 steps of a narrow logarithmic
// range): the factor is an engineering one (a power of 10³) that brings the largest tick between
// 1 and 1000, taken out only when the largest tick lies below 0.01 or from 100000 on. Every label
// has the decimals the closest two ticks need to differ.
TickLabels linearTickLabels(const std::vector<double>& ticks);

} // namespace chart
