#include "numtext.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace numtext {

namespace {

// %G with the given precision, written locale-free: trailing zeros dropped, capital E, a sign
// and at least two exponent digits.
std::string general(double value, int precision) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, precision);
    std::string text(buffer.data(), result.ptr);
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return text;
}

template <typename Int> Int toInteger(double value) {
    constexpr double low = std::numeric_limits<Int>::min();
    constexpr double high = std::numeric_limits<Int>::max();
    if (std::isnan(value))
        return 0;
    if (value <= low)
        return std::numeric_limits<Int>::min();
    if (value >= high)
        return std::numeric_limits<Int>::max();
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<Int>(std::nearbyint(value));
}

} // namespace

std::string formatGeneral(double value) { return general(value, 15); }

std::string formatGeneralSingle(float value) { return general(value, 7); }

std::int16_t toInt16(double value) { return toInteger<std::int16_t>(value); }

std::int32_t toInt32(double value) { return toInteger<std::int32_t>(value); }

} // namespace numtext
