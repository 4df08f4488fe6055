#pragma once

// What the analysis works on: readings as a data file or a running test gives them, already
// cleared of readings without a value (over range, or a reply that did not parse).

#include <cstddef>
#include <span>
#include <vector>

namespace analysis {

struct Reading {
    double t = 0.0;       // s since the test started
    double v = 0.0;       // applied voltage, V
    double value = 0.0;   // measured: A, or F for a capacitance
    bool atLimit = false; // the current was held at the current limit
};

// What a run's readings are a curve of; it decides the horizontal axis, the views and the
// methods that fit.
enum class Curve { CurrentTime, CurrentVoltage, CapacitanceVoltage };

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// The horizontal value of a reading: its time for a current against time, else its voltage.
double xOf(Curve curve, const Reading& reading);

// The readings as (x, value) points, in reading order.
std::vector<Point> curvePoints(Curve curve, std::span<const Reading> readings);

// Where an up/down sweep or stair turns back: the index of the first reading after the turning
// point (the turning reading ends the first branch), or the number of readings when the voltage
// never turns. Readings at one voltage (a held bias) never turn.
std::size_t secondBranchStart(std::span<const Reading> readings);

} // namespace analysis
