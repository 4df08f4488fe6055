#include "value_rules.h"

#include "quenta/numtext/numtext.h"

#include <cmath>
#include <limits>
#include <optional>

namespace quenta {

namespace {

bool isNumeric(std::int32_t valType) {
    return valType >= valtype::Int16 && valType <= valtype::Double;
}

struct Scaling {
    double toBase;   // 10^exponent
    double fromBase; // 10^-exponent
};

// Exponents whose powers of ten are not finite, non-zero doubles (beyond about 308) cannot
// scale anything meaningfully; the limits then compare the typed number as it stands.
std::optional<Scaling> scalingFor(std::int32_t exponent) {
    const Scaling scaling{std::pow(10.0, exponent), std::pow(10.0, -static_cast<double>(exponent))};
    const auto usable = [](double factor) { return std::isfinite(factor) && factor != 0.0; };
    if (!usable(scaling.toBase) || !usable(scaling.fromBase))
        return std::nullopt;
    return scaling;
}

// A scaling that overflows gives the largest double of its sign, as a typed "1E999" does,
// so the field never shows "Inf".
double keptFinite(double value) {
    if (std::isinf(value))
        return std::copysign(std::numeric_limits<double>::max(), value);
    return value;
}

double limited(double number, const ValueRules& rules) {
    if (rules.maxLimitEnabled && number > rules.max)
        number = rules.max;
    if (rules.minLimitEnabled && number < rules.min)
        number = rules.min;
    return number;
}

std::string numericText(std::string_view text, const ValueRules& rules) {
    double number = numtext::readNumber(text);
    const std::optional<Scaling> scaling =
        rules.expLocked ? scalingFor(rules.exponent) : std::nullopt;
    if (scaling)
        number = keptFinite(number * scaling->toBase);
    number = limited(number, rules);
    if (scaling)
        number = keptFinite(number * scaling->fromBase);
    switch (rules.valType) {
    case valtype::Int16:
        return std::to_string(numtext::toInt16(number));
    case valtype::Int32:
        return std::to_string(numtext::toInt32(number));
    default:
        return numtext::formatGeneral(number);
    }
}

} // namespace

std::string validatedText(std::string_view text, const ValueRules& rules) {
    const std::string checked =
        isNumeric(rules.valType) ? numericText(text, rules) : std::string(text);
    return rules.formatString.empty() ? checked : numtext::formatText(checked, rules.formatString);
}

} // namespace quenta
