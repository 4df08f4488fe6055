#include "result_values.h"

#include "quenta/numtext/numtext.h"

#include <charconv>
#include <cmath>

namespace analysis {

namespace {

constexpr int kSignificantDigits = 6;

// The double nearest to the value rounded to six significant digits.
double rounded(double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    double result = value;
    std::from_chars(text, written.ptr, result);
    return result;
}

} // namespace

std::string resultNumberText(double value) {
    return std::isfinite(value) ? numtext::formatGeneral(rounded(value))
                                : numtext::formatGeneral(value);
}

ResultValue numberValue(std::string key, double value) {
    return {std::move(key), value, resultNumberText(value)};
}

ResultValue wordValue(std::string key, std::string word) {
    return {std::move(key), std::nullopt, std::move(word)};
}

ResultValue yesNoValue(std::string key, bool yes) {
    return wordValue(std::move(key), yes ? "yes" : "no");
}

ResultValue undeterminedValue(std::string key, std::string_view why) {
    return wordValue(std::move(key), "not determined: " + std::string(why));
}

Result refused(std::string why) {
    Result result;
    result.refusal = std::move(why);
    return result;
}

Result tooFewReadings(Method method, std::size_t have, std::string_view what, std::size_t need) {
    return refused("the window holds " + std::to_string(have) + " " + std::string(what) +
                   (have == 1 ? "" : "s") + "; the " + std::string(methodName(method)) +
                   " method needs at least " + std::to_string(need));
}

} // namespace analysis
