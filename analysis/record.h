#pragma once

// A result as the run record keeps it in its section [Analysis] (named where the record's other
// names are): one key=value line each for the method, the curve, the inputs the method used and
// the values it gave (or why it refused), so that opening the run later shows the result again
// and the analysis can be repeated.

#include "method.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace analysis {

using RecordLine = std::pair<std::string, std::string>;

// method=, function=, the window (from_V= and to_V=, or from_s= and to_s=) where it was given,
// the inputs of the method (at_V, threshold_A, area_cm2, temperature_K, eps_ox, eps_s, type),
// then every value in order, or refusal=.
std::vector<RecordLine> analysisLines(const Result& result);

// The result those lines keep: its inputs, curve, values (numbers where the text is one) and
// refusal. Keys match without regard to case, as in any INI file. nullopt without a method this
// program knows or a curve.
std::optional<Result> resultFromLines(std::span<const RecordLine> lines);

} // namespace analysis
