#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace prologix {

// Data for the instrument as the adapter must receive it: CR, LF, ESC and '+' each preceded by
// ESC, so that none ends the line or makes it a command.
std::string escapedData(std::string_view bytes);

// The status byte in an answer to ++spoll: a decimal number from 0 to 255 between blanks.
std::optional<int> statusByteOf(std::string_view answer);

// Printable ASCII throughout, and not empty: what an adapter's ++ver answer looks like.
bool printableLine(std::string_view line);

// An answer as a message can show it: control and non-ASCII bytes as \xHH, cut after 40
// characters.
std::string shown(std::string_view answer);

} // namespace prologix
