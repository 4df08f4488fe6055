#include "method.h"

#include "methods.h"
#include "result_values.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace analysis {

namespace {

struct MethodRow {
    Method method;
    std::string_view name;
    Curve curve;
    Result (*run)(const MethodCall&);
};

constexpr std::array<MethodRow, 7> kMethods{{
    {Method::Diode, "diode", Curve::CurrentVoltage, diode},
    {Method::Leakage, "leakage", Curve::CurrentVoltage, leakage},
    {Method::Breakdown, "breakdown", Curve::CurrentVoltage, breakdown},
    {Method::Mos, "mos", Curve::CapacitanceVoltage, mos},
    {Method::MottSchottky, "mott-schottky", Curve::CapacitanceVoltage, mottSchottky},
    {Method::Decay, "decay", Curve::CurrentTime, decay},
    {Method::PowerLaw, "power-law", Curve::CurrentTime, powerLaw},
}};

struct CurveRow {
    Curve curve;
    std::string_view name;
    std::string_view quantities;
};

constexpr std::array<CurveRow, 3> kCurves{{
    {Curve::CurrentTime, "I", "current against time"},
    {Curve::CurrentVoltage, "I-V", "current against voltage"},
    {Curve::CapacitanceVoltage, "C-V", "capacitance against voltage"},
}};

const CurveRow& rowOf(Curve curve) {
    return *std::ranges::find(kCurves, curve, &CurveRow::curve);
}

// A share of 1 % is well above the instrument's four digits; a relative standard error of 10 %
// says the readings hold the value, not just allow it.
constexpr double kMeasurableShare = 0.01;
constexpr double kPinnedDown = 0.1;

const MethodRow& rowOf(Method method) {
    return *std::ranges::find(kMethods, method, &MethodRow::method);
}

bool positive(std::optional<double> value) {
    return value && std::isfinite(*value) && *value > 0.0;
}

// What an input the method uses must be; empty when every one is sound.
std::string missingInput(const Inputs& in) {
    const std::string name(methodName(in.method));
    if (!(std::isfinite(in.temperature) && in.temperature > 0.0))
        return "the temperature must be above 0 K";
    if (!(std::isfinite(in.epsOx) && in.epsOx > 0.0 && std::isfinite(in.epsS) && in.epsS > 0.0))
        return "the permittivities must be above 0";
    const bool capacitor = in.method == Method::Mos || in.method == Method::MottSchottky;
    if (capacitor && !positive(in.area))
        return "the " + name + " method needs the device's area in cm², above 0";
    if (in.method == Method::Leakage && !(in.at && std::isfinite(*in.at)))
        return "the leakage method needs the bias at which to read the current";
    if (in.method == Method::Breakdown && !positive(in.threshold))
        return "the breakdown method needs the current that marks breakdown, above 0 A";
    return {};
}

// A number that is not finite (a value beyond the float range of a file) is no reading to fit.
std::vector<Reading> finiteOnly(std::span<const Reading> readings) {
    std::vector<Reading> finite;
    for (const Reading& r : readings)
        if (std::isfinite(r.t) && std::isfinite(r.v) && std::isfinite(r.value))
            finite.push_back(r);
    return finite;
}

std::vector<Reading> windowOf(const Inputs& in, Curve curve, std::span<const Reading> readings) {
    double low = in.from.value_or(-INFINITY);
    double high = in.to.value_or(INFINITY);
    if (low > high)
        std::swap(low, high);
    std::vector<Reading> window;
    for (const Reading& r : readings)
        if (const double x = xOf(curve, r); x >= low && x <= high)
            window.push_back(r);
    return window;
}

} // namespace

InputUse inputsOf(Method method) {
    switch (method) {
    case Method::Diode:
        return {.temperature = true};
    case Method::Leakage:
        return {.at = true};
    case Method::Breakdown:
        return {.threshold = true};
    case Method::Mos:
        return {.area = true, .temperature = true, .epsOx = true, .epsS = true, .type = true};
    case Method::MottSchottky:
        return {.area = true, .epsS = true};
    case Method::Decay:
    case Method::PowerLaw:
        return {};
    }
    return {};
}

std::string_view methodName(Method method) {
    return rowOf(method).name;
}

std::optional<Method> methodNamed(std::string_view name) {
    const auto row = std::ranges::find(kMethods, name, &MethodRow::name);
    return row == kMethods.end() ? std::nullopt : std::optional<Method>(row->method);
}

std::vector<Method> methodsFor(Curve curve) {
    std::vector<Method> methods;
    for (const MethodRow& row : kMethods)
        if (row.curve == curve)
            methods.push_back(row.method);
    return methods;
}

std::string_view curveName(Curve curve) {
    return rowOf(curve).name;
}

std::optional<Curve> curveNamed(std::string_view name) {
    const auto row = std::ranges::find(kCurves, name, &CurveRow::name);
    return row == kCurves.end() ? std::nullopt : std::optional<Curve>(row->curve);
}

std::string curveDescription(Curve curve) {
    return std::string(rowOf(curve).quantities) + " (" + std::string(rowOf(curve).name) + ")";
}

bool determined(double share, double relativeError) {
    return share >= kMeasurableShare && relativeError < kPinnedDown;
}

const ResultValue* Result::find(std::string_view key) const {
    const auto value = std::ranges::find(values, key, &ResultValue::key);
    return value == values.end() ? nullptr : &*value;
}

std::optional<double> Result::number(std::string_view key) const {
    const ResultValue* value = find(key);
    return value ? value->number : std::nullopt;
}

Result analyse(const Inputs& inputs, Curve curve, std::span<const Reading> readings) {
    const MethodRow& row = rowOf(inputs.method);
    Result result;
    if (row.curve != curve)
        result =
            refused("the " + std::string(row.name) + " method fits " + curveDescription(row.curve) +
                    "; these readings are " + curveDescription(curve));
    else if (const std::string missing = missingInput(inputs); !missing.empty())
        result = refused(missing);
    else {
        const std::vector<Reading> finite = finiteOnly(readings);
        const std::vector<Reading> window = windowOf(inputs, curve, finite);
        result = row.run({inputs, curve, finite, window});
    }
    result.inputs = inputs;
    result.curve = curve;
    return result;
}

} // namespace analysis
