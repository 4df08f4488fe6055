#include "sim/noise.h"

#include <cmath>
#include <numbers>

namespace gpibsim {

namespace {

std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A uniform number in (0, 1]: never 0, so the logarithm below stays finite.
double unitInterval(std::uint64_t bits) {
    return (static_cast<double>(bits >> 11) + 1.0) * 0x1.0p-53;
}

} // namespace

double gaussianNoise(std::uint64_t seed, std::uint64_t run, std::uint64_t reading,
                     std::uint64_t draw) {
    const std::uint64_t key = splitMix(splitMix(splitMix(seed) ^ run) ^ reading) ^ draw;
    const double u1 = unitInterval(splitMix(key));
    const double u2 = unitInterval(splitMix(key ^ 0x5851F42D4C957F2Dull));
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

} // namespace gpibsim
