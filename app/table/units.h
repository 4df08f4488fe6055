#pragma once

#include "hp4140/test_config.h"

#include <cstdint>

namespace table {

// The caption of the units label for a test function: C-V measures farads, the others amperes.
inline const char* unitsCaption(std::int16_t iFunction) {
    return iFunction == hp4140::function::CV ? "Farads" : "Amps";
}

} // namespace table
