#pragma once

// The methods behind analyse(), one function each. Every one gets the inputs, every reading and
// those in the window, in reading order, and returns its values or a refusal; analyse() has
// already checked that the method fits the curve and that the inputs are sound.

#include "method.h"

#include <span>

namespace analysis {

struct MethodCall {
    const Inputs& inputs;
    Curve curve;
    std::span<const Reading> all;
    std::span<const Reading> window;
};

Result diode(const MethodCall& call);
Result leakage(const MethodCall& call);
Result breakdown(const MethodCall& call);
Result mos(const MethodCall& call);
Result mottSchottky(const MethodCall& call);
Result decay(const MethodCall& call);
Result powerLaw(const MethodCall& call);

// A value of a fit is determined where it moves the curve measurably somewhere in the window
// (by `share` at most, a fraction) and the readings pin it down (its relative standard error).
bool determined(double share, double relativeError);

} // namespace analysis
