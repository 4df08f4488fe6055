#pragma once

// The single-diode equation with series and shunt resistance, solved for the current at a bias:
//   I = Is·(exp((V − I·Rs)/(n·kT/q)) − 1) + (V − I·Rs)/Rsh

namespace analysis {

struct DiodeParameters {
    double saturationCurrent = 0.0; // Is, A
    double ideality = 1.0;          // n
    double seriesResistance = 0.0;  // Rs, ohm
    double shuntConductance = 0.0;  // 1/Rsh, S
};

// The current at the bias and how it moves with each parameter.
struct DiodeCurrent {
    double current = 0.0;
    double junctionVoltage = 0.0; // V − I·Rs
    double dIs = 0.0, dn = 0.0, dRs = 0.0, dG = 0.0;
};

// Forward bias (voltage ≥ 0) with parameters ≥ 0 (Is and n above 0), at thermal voltage kT/q.
DiodeCurrent diodeCurrent(const DiodeParameters& p, double thermalVoltage, double voltage);

} // namespace analysis
