#pragma once

#include "sim/sim_settings.h"

#include <string>

namespace gpibsim {

enum class ReadingStatus : char { Normal = 'N', AtLimit = 'L', OverRange = 'O' };

struct Reading {
    ReadingStatus status = ReadingStatus::Normal;
    bool capacitance = false; // C-V: the value is in farads, otherwise in amperes
    double value = 0.0;
    double voltage = 0.0;
};

// An over-range reading carries this value in place of a measurement.
inline constexpr double kOverRangeValue = 2e-20;

// "NAI+1.234E-12,V+10.00" + CR LF: status, A, I or C, the value, a comma, V, the voltage.
std::string formatReply(const Reading& reading);
// The same reading spoilt the way a faulty line would spoil it.
std::string garbledReply(const Reading& reading, GarbleKind kind);

} // namespace gpibsim
