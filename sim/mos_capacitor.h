#pragma once

#include "sim/sim_settings.h"

namespace gpibsim {

// The quasi-static capacitance of an ideal MOS capacitor (silicon under silicon dioxide, no
// oxide charge or interface traps) at a gate voltage: the oxide in series with the
// semiconductor's charge response, minority carriers included, so the curve comes back to Cox
// in inversion. From the mos model's doping type and density, oxide thickness, area,
// flat-band voltage and temperature.
double quasiStaticCapacitance(const ModelSettings& model, double voltage);

} // namespace gpibsim
