#pragma once

// The smallest settings the instrument acts on. The panel's fields accept more than this (down
// to -100), so a set-up is checked against these limits at Start, and the fields' tooltips name
// them.
namespace hp4140::limits {

// Volts, either way. A step is sent with two decimals ("#0.0#"), so a smaller one reaches the
// instrument as 0 and a sweep or stair would never move.
inline constexpr double kSmallestStepVoltage = 0.005;
// Volts per second. A ramp rate is sent with four decimals; below this a sweep reaches the
// instrument as standing still, and a negative rate is none it knows.
inline constexpr double kSmallestRampRate = 0.001;
// Seconds. A stair cannot wait less than no time at each step.
inline constexpr double kSmallestStepDelay = 0.0;

} // namespace hp4140::limits
