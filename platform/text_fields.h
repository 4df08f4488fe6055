#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Field n (from 1) of a text split at the delimiter. n of 1 or less gives the first field when
// the text holds a delimiter; n beyond the last field, or below 1 in a text without delimiter,
// gives an empty text. An empty delimiter leaves the text whole, as its only field.
std::string textField(std::string_view text, std::int16_t n, std::string_view delimiter);

// A count with its noun: "1 reading", "21 readings".
std::string counted(std::int64_t count, std::string_view one, std::string_view many);

} // namespace platform
