#include "numtext.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

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

// Powers of ten from 1E-32 to 1E+52 as the nearest doubles: the scales that bring any float's
// seventh significant digit to the units place.
constexpr int kLowestPower = -32;
constexpr std::size_t kPowerCount = 85;

const std::array<double, kPowerCount>& powersOfTen() {
    static const std::array<double, kPowerCount> powers = [] {
        std::array<double, kPowerCount> table{};
        for (std::size_t i = 0; i < kPowerCount; ++i) {
            const std::string text = "1e" + std::to_string(static_cast<int>(i) + kLowestPower);
            std::from_chars(text.data(), text.data() + text.size(), table[i]);
        }
        return table;
    }();
    return powers;
}

// The seven significant digits of |value| as a whole number from 10^6 to 10^7 - 1, and the
// decimal exponent of the first: x * 10^(6 - k) is computed in double with a relative error below
// 2^-52 (one rounding in the power, one in the product), less than 3E-9 in units, so rounding it
// is exact unless it lies within that of a half. Anything within 1E-6 of a half (ties among them,
// which are broken to even) is left to to_chars, and so are zero and subnormal floats.
std::optional<std::pair<std::uint32_t, int>> sevenDigits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biasedExponent = static_cast<int>((bits >> 23) & 0xff);
    if (biasedExponent == 0)
        return std::nullopt;
    const double x = std::fabs(static_cast<double>(value));
    // floor(log10(2^e)), which is the decimal exponent or one less.
    int k = ((biasedExponent - 127) * 1233) >> 12;
    double scaled = x * powersOfTen()[static_cast<std::size_t>(6 - k - kLowestPower)];
    if (scaled >= 1e7) {
        ++k;
        scaled = x * powersOfTen()[static_cast<std::size_t>(6 - k - kLowestPower)];
    }
    if (scaled < 1e6 || scaled >= 1e7)
        return std::nullopt;
    const auto whole = static_cast<std::uint32_t>(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6)
        return std::nullopt;
    std::uint32_t digits = whole + (fraction > 0.5 ? 1 : 0);
    if (digits == 10'000'000) {
        digits = 1'000'000;
        ++k;
    }
    return std::pair{digits, k};
}

// %G of seven digits: exponent form below 1E-4 and from 1E+7, trailing zeros dropped.
std::string layOutSeven(bool negative, std::uint32_t digits, int k) {
    char figures[7];
    for (int i = 6; i >= 0; --i, digits /= 10)
        figures[i] = static_cast<char>('0' + digits % 10);
    int significant = 7;
    while (significant > 1 && figures[significant - 1] == '0')
        --significant;
    std::string text = negative ? "-" : "";
    if (k < -4 || k >= 7) {
        text += figures[0];
        if (significant > 1)
            text.append(".").append(figures + 1, static_cast<std::size_t>(significant - 1));
        const int magnitude = k < 0 ? -k : k;
        text += k < 0 ? "E-" : "E+";
        text += static_cast<char>('0' + magnitude / 10);
        text += static_cast<char>('0' + magnitude % 10);
    } else if (k < 0) {
        text.append("0.").append(static_cast<std::size_t>(-k - 1), '0');
        text.append(figures, static_cast<std::size_t>(significant));
    } else {
        for (int i = 0; i <= k; ++i)
            text += i < significant ? figures[i] : '0';
        if (significant > k + 1)
            text.append(".").append(figures + k + 1, static_cast<std::size_t>(significant - k - 1));
    }
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

std::string formatGeneral(double value) {
    return general(value, 15);
}

// Every reading's time, value and voltage pass through here, for the labels and each data file
// line, so the digits are found by double arithmetic where that is exact; to_chars, five times
// slower, settles the rest.
std::string formatGeneralSingle(float value) {
    if (std::isfinite(value))
        if (const auto seven = sevenDigits(value))
            return layOutSeven(std::signbit(value), seven->first, seven->second);
    return general(value, 7);
}

std::int16_t toInt16(double value) {
    return toInteger<std::int16_t>(value);
}

std::int32_t toInt32(double value) {
    return toInteger<std::int32_t>(value);
}

} // namespace numtext
