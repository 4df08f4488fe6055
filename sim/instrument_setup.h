#pragma once

#include "sim/device_models.h"

namespace gpibsim {

enum class Ramp { SweepUp = 1, SweepUpDown = 2, StairUp = 3, StairUpDown = 4, Constant = 5 };

// The settings of the HP 4140B as its commands leave them; the values are those at power-on.
struct InstrumentSetup {
    MeasureFunction function = MeasureFunction::Current; // F1..F3
    Ramp ramp = Ramp::SweepUp;                           // A1..A5
    int currentLimitVA = 1;                              // L1..L3
    int currentLimitVB = 1;                              // M1..M3
    int vbMode = 2;                                      // B1 constant, B2 off
    double holdVoltage = 0.0;                            // PA, V
    double startVoltage = 0.0;                           // PS, V
    double stopVoltage = 10.0;                           // PT, V
    double stepVoltage = 1.0;                            // PE, V (its sign does not matter)
    double holdTime = 0.0;                               // PH, s
    double stepDelay = 1.0;                              // PD, s
    double rampRate = 1.0;                               // PV, V/s
    double vbVoltage = 0.0;                              // PB, V
    bool filter = true;                                  // J1 on, J0 off
    int integration = 1;                                 // I1 short, I2 medium, I3 long
    int trigger = 1;                                     // T1, T2 (kept, not acted on)
    bool dataOutput = true;                              // D3 on, D0 off
};

// L1/M1 = 1E-2 A, L2 = 1E-3 A, L3 = 1E-4 A.
double currentLimitAmps(int code);

} // namespace gpibsim
