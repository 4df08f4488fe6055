#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenta {

// How a field's text is interpreted when it is validated.
namespace valtype {
inline constexpr std::int32_t Int16 = 2;
inline constexpr std::int32_t Int32 = 3;
inline constexpr std::int32_t Single = 4;
inline constexpr std::int32_t Double = 5;
inline constexpr std::int32_t Text = 8; // and every code other than 2 to 5
} // namespace valtype

// The value model of a numeric field. The field keeps no number of its own: its text is the
// value, and these rules turn any text into a valid one.
struct ValueRules {
    std::int32_t valType = 0;
    double max = 0.0;
    double min = 0.0;
    bool maxLimitEnabled = false;
    bool minLimitEnabled = false;
    std::string formatString;
    std::int32_t exponent = 0;
    bool expLocked = false;
};

// The text a field shows after validating `text`: read as a number (numeric types only),
// limited (the upper limit first, so with Min > Max the result is Min), converted to the value
// type and laid out by the format picture. Never fails.
std::string validatedText(std::string_view text, const ValueRules& rules);

} // namespace quenta
