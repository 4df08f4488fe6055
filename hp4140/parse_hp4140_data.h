#pragma once

#include "hp4140/hp4140_data.h"
#include "platform/log_sink.h"

#include <bit>
#include <cstdint>

namespace hp4140 {

// The instrument's over-range reading: the 32-bit float nearest to 2E-20.
inline const float kOutOfRangeMarker = std::bit_cast<float>(std::uint32_t{0x1EBCE508});
// Readings below this magnitude (the float nearest to 1E-16) are stored as it, positive, so a
// logarithmic axis can always show them.
inline const float kSmallestMagnitude = std::bit_cast<float>(std::uint32_t{0x24E69595});
inline constexpr float kOutOfRangeValue = 1.0f;

} // namespace hp4140

// Reads the measured value and the applied voltage from reading.RawData, a reply such as
// "NAI+1.234E-12,V+10.00" followed by CR LF and blanks: three characters, the value, a comma,
// one character, the voltage. A reply that is too short, has no comma after its third
// character, or whose value or voltage is not a number in the 32-bit float range is rejected:
// one "Bad Data: ..." line goes to the log (nullptr: dropped), Current and Voltage are 0,
// OutOfRange false and RawData stays as read, and the result is false. An accepted reply loses
// its CR and LF.
bool ParseHP4140Data(HP4140DataType& reading, platform::LogSink* log);
