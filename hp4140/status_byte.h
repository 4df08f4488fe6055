#pragma once

#include <cstdint>

// The bits of the HP 4140B's serial-poll status byte that the program acts on.
namespace hp4140::status {

inline constexpr std::int16_t kReadingReady = 1;
inline constexpr std::int16_t kAtCurrentLimit = 2;
inline constexpr std::int16_t kVoltageOutput = 16;

constexpr bool has(std::int16_t status, std::int16_t bit) {
    return (status & bit) != 0;
}

} // namespace hp4140::status
