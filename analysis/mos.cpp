#include "capacitance.h"
#include "interpolation.h"
#include "line_fit.h"
#include "methods.h"
#include "physics.h"
#include "result_values.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr std::size_t kLeastReadings = 5;
constexpr std::size_t kLeastDepletion = 3;
constexpr double kStraightWithin = 0.05;

// Accumulation lies at negative bias over a p-type substrate, at positive over an n-type one.
double accumulationSide(DopingType type) {
    return type == DopingType::P ? -1.0 : 1.0;
}

struct Plateaus {
    std::size_t lowest = 0; // the reading of Cmin
    double cox = 0.0;       // the largest C on the accumulation side
};

// Readings at or beyond Cmin's voltage towards accumulation: the part of a quasi-static curve
// that accumulation, flat band and depletion share. The inversion side rises to Cox as well,
// so the side is chosen by the doping type.
bool onAccumulationSide(const Reading& r, double vmin, double side) {
    return (r.v - vmin) * side >= 0.0;
}

Plateaus plateausOf(std::span<const Reading> curve, double side) {
    Plateaus p;
    p.lowest = static_cast<std::size_t>(
        std::distance(curve.begin(), std::ranges::min_element(curve, {}, &Reading::value)));
    for (const Reading& r : curve)
        if (onAccumulationSide(r, curve[p.lowest].v, side))
            p.cox = std::max(p.cox, r.value);
    return p;
}

// Without a window, depletion is found as the steepest straight stretch of 1/C² against V on
// the accumulation side (flat band bends it at one end, inversion at the other).
std::vector<Reading> depletionReadings(const MethodCall& call, const Plateaus& p, double side) {
    if (call.inputs.from || call.inputs.to)
        return {call.window.begin(), call.window.end()};
    std::vector<Reading> candidates;
    const double vmin = call.all[p.lowest].v;
    for (const Reading& r : call.all)
        if (r.value > 0.0 && onAccumulationSide(r, vmin, side))
            candidates.push_back(r);
    // Rising x towards depletion: depletion lies away from accumulation.
    std::ranges::stable_sort(candidates, {}, [side](const Reading& r) { return -side * r.v; });
    std::vector<Point> points;
    for (const Reading& r : candidates)
        points.push_back({-side * r.v, 1.0 / (r.value * r.value)});
    const std::size_t run = std::max(kLeastReadings, points.size() / 20);
    const std::optional<Stretch> stretch = steepestStretch(points, run, kStraightWithin);
    if (!stretch)
        return {};
    return {candidates.begin() + static_cast<std::ptrdiff_t>(stretch->first),
            candidates.begin() + static_cast<std::ptrdiff_t>(stretch->end)};
}

// Flat band: the Debye length λ = sqrt(εs·ε0·kT/(q²·N)) gives Cs,fb = εs·ε0·A/λ, in series with
// the oxide: Cfb = Cox·Cs,fb/(Cox + Cs,fb).
double flatBandCapacitance(const Inputs& in, double cox, double doping) {
    const double permittivity = in.epsS * physics::kVacuumPermittivity;
    const double debye = std::sqrt(permittivity * physics::thermalVoltage(in.temperature) /
                                   (physics::kElementaryCharge * doping));
    const double semiconductor = permittivity * *in.area / debye;
    return cox * semiconductor / (cox + semiconductor);
}

// The bias where C first passes Cfb, in reading order, on the accumulation side of Cmin.
std::optional<double> flatBandVoltage(std::span<const Reading> curve, const Plateaus& p,
                                      double side, double cfb) {
    const double vmin = curve[p.lowest].v;
    for (std::size_t i = 1; i < curve.size(); ++i) {
        const Reading& a = curve[i - 1];
        const Reading& b = curve[i];
        if (onAccumulationSide(a, vmin, side) && onAccumulationSide(b, vmin, side) &&
            (a.value - cfb) * (b.value - cfb) <= 0.0 && a.value != b.value)
            return interpolateX({a.v, a.value}, {b.v, b.value}, cfb, Scale::Linear);
    }
    return std::nullopt;
}

} // namespace

// Quasi-static C-V of a MOS capacitor: Cox is the accumulation plateau (tox = εox·ε0·A/Cox),
// Cmin the lowest reading, N from the depletion slope of 1/C², and Vfb where C = Cfb.
Result mos(const MethodCall& call) {
    std::vector<Reading> curve;
    std::ranges::copy_if(call.all, std::back_inserter(curve),
                         [](const Reading& r) { return r.value > 0.0; });
    if (curve.size() < kLeastReadings)
        return tooFewReadings(Method::Mos, curve.size(), "reading with a capacitance",
                              kLeastReadings);
    const Inputs& in = call.inputs;
    const double side = accumulationSide(in.type);
    const Plateaus p = plateausOf(curve, side);
    const double cmin = curve[p.lowest].value;
    if (!(p.cox > cmin))
        return refused(std::string("no reading on the accumulation side of Cmin (") +
                       (in.type == DopingType::P ? "below" : "above") +
                       " it, for the doping type given) rises above it");

    const MethodCall onCurve{in, call.curve, curve, call.window};
    const std::vector<Reading> depletion = depletionReadings(onCurve, p, side);
    const std::vector<Point> inverse = inverseSquares(depletion);
    if (inverse.size() < kLeastDepletion)
        return tooFewReadings(Method::Mos, inverse.size(), "depletion reading", kLeastDepletion);
    const std::optional<LineFit> line = fitLine(inverse);
    if (!line || !(line->slope * side < 0.0))
        return refused(in.type == DopingType::P
                           ? "1/C² does not rise with the voltage in the depletion window, as it "
                             "does over p-type silicon"
                           : "1/C² does not rise as the voltage falls in the depletion window, as "
                             "it does over n-type silicon");

    const double doping = dopingFromSlope(line->slope, *in.area, in.epsS);
    const double cfb = flatBandCapacitance(in, p.cox, doping);
    const auto [from, to] = std::ranges::minmax(depletion, {}, &Reading::v);
    Result result;
    result.values.push_back(numberValue("Cox_F", p.cox));
    result.values.push_back(
        numberValue("tox_m", in.epsOx * physics::kVacuumPermittivity * *in.area / p.cox *
                                 physics::kMetresPerCentimetre));
    result.values.push_back(numberValue("Cmin_F", cmin));
    result.values.push_back(numberValue("N_cm3", doping));
    result.values.push_back(numberValue("Cfb_F", cfb));
    if (const auto vfb = flatBandVoltage(curve, p, side, cfb))
        result.values.push_back(numberValue("Vfb_V", *vfb));
    else
        result.values.push_back(undeterminedValue(
            "Vfb_V", "the capacitance does not pass Cfb on the accumulation side"));
    result.values.push_back(numberValue("depletion_from_V", from.v));
    result.values.push_back(numberValue("depletion_to_V", to.v));
    result.values.push_back(numberValue("r2", line->r2));
    result.values.push_back(numberValue("readings", static_cast<double>(inverse.size())));
    result.fitted = capacitanceOnLine(inverse, line->slope, line->intercept);
    return result;
}

} // namespace analysis
