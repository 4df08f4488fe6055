#pragma once

// Physical constants in the units the methods work in: lengths in cm, so that areas (cm²) and
// doping densities (cm⁻³) come out in the units a device engineer quotes.

namespace analysis::physics {

inline constexpr double kElementaryCharge = 1.602176634e-19;    // C
inline constexpr double kBoltzmann = 1.380649e-23;              // J/K
inline constexpr double kVacuumPermittivity = 8.8541878128e-14; // F/cm

// kT/q in volts: 25.852 mV at 300 K.
constexpr double thermalVoltage(double kelvin) {
    return kBoltzmann * kelvin / kElementaryCharge;
}

inline constexpr double kMetresPerCentimetre = 1e-2;

} // namespace analysis::physics
