#pragma once

#include "hp4140/test_config.h"

namespace table {

// The caption of the units label for a test function: C-V measures farads, the others amperes.
inline const char* unitsCaption(hp4140::Function iFunction) {
    return iFunction == hp4140::Function::CV ? "Farads" : "Amps";
}

} // namespace table
