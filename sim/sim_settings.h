#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace gpibsim {

enum class ModelKind { Default, Resistor, Open, Short, Mos };
enum class DopingType { N, P };
enum class GarbleKind { NoComma, TooShort, NotNumber };

// The device under test. The default one answers each test with a recognisable curve: a
// relaxation current in I, a diode with leakage in I-V and a capacitor stepping between two
// levels in C-V. The mos one is an ideal MOS capacitor whose C-V a physicist would recognise.
struct ModelSettings {
    ModelKind kind = ModelKind::Default;
    double resistance = 1e9;               // ohm, the resistor model
    double diodeSaturationCurrent = 1e-13; // A
    double diodeIdeality = 1.5;            //
    double seriesResistance = 0.0;         // ohm, in series with the default device's diode
    double leakageResistance = 1e14;       // ohm, parallel leakage of the default device
    double oxideCapacitance = 100e-12;     // F, accumulation level
    double depletionCapacitance = 20e-12;  // F, depletion level
    double flatBandVoltage = -1.0;         // V, middle of the transition
    double transitionWidth = 0.5;          // V
    double relaxationAmplitude = 1e-11;    // A per volt applied, at the moment it is applied
    double relaxationTime = 10.0;          // s
    DopingType dopingType = DopingType::P; // the mos model's substrate
    double dopingDensity = 1e16;           // cm⁻³
    double oxideThickness = 10e-9;         // m
    double area = 1e-3;                    // cm², the gate's
    double temperature = 300.0;            // K
};

struct NoiseSettings {
    std::uint64_t seed = 1;
    double relative = 0.002; // of the reading, one standard deviation
    double absolute = 2e-15; // A, one standard deviation at the short reading time
};

// Fires on the Nth event (at) and on every Nth event (every); 0 switches either off.
struct FaultTrigger {
    long at = 0;
    long every = 0;
    bool firesOn(long eventNumber) const {
        return (at > 0 && eventNumber == at) || (every > 0 && eventNumber % every == 0);
    }
};

struct FaultSettings {
    bool noListener = false;   // nothing answers at any address
    bool refuseRemote = false; // EnableRemote of the instrument fails
    FaultTrigger readTimeout;  // counts reads addressed to the instrument
    FaultTrigger garble;       // counts readings sent
    GarbleKind garbleKind = GarbleKind::NoComma;
    long outputOffAfter = 0;  // the output switches off after this many readings (0: never)
    long noListenerAfter = 0; // nothing answers once this many readings of a run were read
    double callDelay = 0.0;   // seconds spent by every bus call
};

struct SimSettings {
    int address = 16;
    std::vector<int> boards{0};
    int registerResult = 0;
    std::array<double, 3> readingTimes{0.020, 0.080, 0.320}; // s, for I1, I2, I3
    double offsetCurrent = 5e-15; // A, the instrument's own offset until Z nulls it
    bool virtualTime = false;
    ModelSettings model;
    NoiseSettings noise;
    FaultSettings faults;
};

} // namespace gpibsim
