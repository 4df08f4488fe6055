#pragma once

#include <cstdint>

namespace hp4140 {

// Seconds one reading takes at the integration setting (0 short, 1 medium, 2 long); an
// unknown setting counts as short, which the instrument keeps when it ignores the command.
constexpr double readingSeconds(std::int16_t iIntegration) {
    switch (iIntegration) {
    case 1:
        return 0.080;
    case 2:
        return 0.320;
    default:
        return 0.020;
    }
}

} // namespace hp4140
