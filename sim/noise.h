#pragma once

#include <cstdint>

namespace gpibsim {

// Seeded Gaussian noise without state: the value depends only on the seed and the two indices
// (which run, which reading), so a reading's noise does not change with how often it is polled
// or how many readings were skipped before it.
double gaussianNoise(std::uint64_t seed, std::uint64_t run, std::uint64_t reading,
                     std::uint64_t draw);

} // namespace gpibsim
