#include "sim/mos_capacitor.h"

#include <algorithm>
#include <cmath>

namespace gpibsim {

namespace {

constexpr double kCharge = 1.602176634e-19;   // C
constexpr double kBoltzmann = 8.617333262e-5; // eV/K
constexpr double kVacuum = 8.8541878128e-14;  // F/cm
constexpr double kOxidePermittivity = 3.9;    // SiO2
constexpr double kSiliconPermittivity = 11.7;
constexpr double kBandGap = 1.12;           // eV, silicon
constexpr double kIntrinsicAt300 = 1.0e10;  // cm⁻³, silicon
constexpr double kLargestPotential = 700.0; // in kT/q, where exp() still has room

// Everything per unit area (cm²), over a p-type substrate; an n-type one is its mirror image
// about the flat-band voltage.
struct Substrate {
    double thermalVoltage; // kT/q, V
    double minorityRatio;  // n0/p0 = ni²/N²
    double debyeLength;    // extrinsic, cm
    double oxide;          // Cox per area, F/cm²
};

double intrinsicDensity(double kelvin) {
    return kIntrinsicAt300 * std::pow(kelvin / 300.0, 1.5) *
           std::exp(-kBandGap / (2.0 * kBoltzmann) * (1.0 / kelvin - 1.0 / 300.0));
}

Substrate substrateOf(const ModelSettings& m) {
    Substrate s;
    s.thermalVoltage = kBoltzmann * m.temperature;
    const double ni = intrinsicDensity(m.temperature);
    s.minorityRatio = ni * ni / (m.dopingDensity * m.dopingDensity);
    s.debyeLength =
        std::sqrt(kSiliconPermittivity * kVacuum * s.thermalVoltage / (kCharge * m.dopingDensity));
    s.oxide = kOxidePermittivity * kVacuum / (m.oxideThickness * 100.0);
    return s;
}

// F(u)² = (e^−u + u − 1) + (n0/p0)·(e^u − u − 1), u the surface potential in kT/q; by its
// series near u = 0, where the terms cancel.
double fieldSquared(const Substrate& s, double u) {
    if (std::fabs(u) < 1e-4)
        return 0.5 * u * u * (1.0 + s.minorityRatio) + u * u * u * (s.minorityRatio - 1.0) / 6.0;
    return (std::expm1(-u) + u) + s.minorityRatio * (std::expm1(u) - u);
}

// The gate voltage above flat band that holds surface potential u:
// V − Vfb = ψs − Qs/Cox, |Qs| = √2·εs·ε0·(kT/q)/L_D·F(u), Qs opposite in sign to u.
double gateVoltage(const Substrate& s, double u) {
    const double charge = std::sqrt(2.0) * kSiliconPermittivity * kVacuum * s.thermalVoltage /
                          s.debyeLength * std::sqrt(std::max(0.0, fieldSquared(s, u)));
    return s.thermalVoltage * u + std::copysign(charge, u) / s.oxide;
}

// The gate voltage rises with u: bisection between bounds that enclose it.
double surfacePotential(const Substrate& s, double aboveFlatBand) {
    double low = -1.0, high = 1.0;
    while (gateVoltage(s, low) > aboveFlatBand && low > -kLargestPotential)
        low *= 2.0;
    while (gateVoltage(s, high) < aboveFlatBand && high < kLargestPotential)
        high *= 2.0;
    for (int i = 0; i < 200 && high - low > 1e-13; ++i) {
        const double middle = 0.5 * (low + high);
        (gateVoltage(s, middle) < aboveFlatBand ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

// Cs = εs·ε0/(√2·L_D) · |1 − e^−u + (n0/p0)·(e^u − 1)| / F(u); εs·ε0/L_D at flat band.
double semiconductorCapacitance(const Substrate& s, double u) {
    const double flat = kSiliconPermittivity * kVacuum / s.debyeLength;
    const double field = std::sqrt(fieldSquared(s, u));
    if (!(field > 1e-12))
        return flat;
    const double response = std::fabs(-std::expm1(-u) + s.minorityRatio * std::expm1(u));
    return flat / std::sqrt(2.0) * response / field;
}

} // namespace

double quasiStaticCapacitance(const ModelSettings& m, double voltage) {
    const Substrate s = substrateOf(m);
    const double mirror = m.dopingType == DopingType::P ? 1.0 : -1.0;
    const double u = surfacePotential(s, mirror * (voltage - m.flatBandVoltage));
    const double semiconductor = semiconductorCapacitance(s, u);
    return m.area / (1.0 / s.oxide + 1.0 / semiconductor);
}

} // namespace gpibsim
