#pragma once

#include "sim/instrument_setup.h"

#include <optional>

namespace gpibsim {

// When the readings of one run fall due and at what voltage, worked out from the setup at W1.
//  - held (F1, or ramp A5): the output holds PA; after the hold time PH a reading falls due
//    every reading time.
//  - stair (F2 with A3/A4): the output steps from PS towards PT by |PE| (A4 comes back down to
//    PS); each step lasts max(PD, reading time) and is read at its end; the first step also
//    holds PH.
//  - sweep (A1/A2, and every C-V ramp but A5): after PH at PS the output ramps at PV V/s and a
//    reading falls due each time it passes a multiple of |PE| from PS.
// The direction comes from PT against PS. When the span is not a whole number of steps, the
// run turns (or ends) at the last step short of PT.
class SweepPlan {
public:
    struct Point {
        double readyTime = 0.0;
        double voltage = 0.0;
        double rampRate = 0.0;
        double secondsSinceApplied = 0.0;
    };

    SweepPlan(const InstrumentSetup& setup, double readingTime, double startTime);

    // Number of readings of the run; none for a held output, which reads until stopped.
    std::optional<long> length() const { return length_; }
    void limitLength(long readings);
    // Readings due at or before the time (capped at the length).
    long dueBy(double time) const;
    Point point(long index) const;

private:
    enum class Shape { Held, Stair, Sweep };

    double offsetOf(long index) const; // from the first reading time
    long levelOf(long index) const;    // steps away from PS

    Shape shape_ = Shape::Held;
    double start_ = 0.0;
    double first_ = 0.0;    // time of reading 0
    double interval_ = 0.0; // between readings
    double heldVoltage_ = 0.0;
    double origin_ = 0.0; // PS
    double step_ = 0.0;   // signed step
    double rate_ = 0.0;   // signed ramp rate of the way out
    long levels_ = 1;     // readings on the way out
    std::optional<long> length_;
};

} // namespace gpibsim
