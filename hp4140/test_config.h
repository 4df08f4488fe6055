#pragma once

#include <cstdint>

namespace hp4140 {

// The settings of one test, copied from the main window when the test starts.
struct TestConfig {
    std::int16_t iGPIBAddress = 0;
    std::int16_t iBoardID = 0;
    float fVAVoltage = 0.0f;
    float fVBVoltage = 0.0f;
    float fStartVoltage = 0.0f;
    float fStopVoltage = 0.0f;
    float fStepVoltage = 0.0f;
    std::int16_t iHoldTime = 0;
    float fStepDelay = 0.0f;
    float fRampRate = 0.0f;
    std::int16_t iCurrentLimitVA = 0;
    std::int16_t iCurrentLimitVB = 0;
    std::int16_t iIntegration = 0;
    std::int16_t iRamp = 0;
    std::int16_t iVBMode = 0;
    std::int16_t iFilter = 0;
    std::int16_t iFunction = 0;
    float fSampleRate = 0.0f;
    float fMaxSampleTime = 0.0f;
};

// Index values of the option groups that the program acts on.
namespace function {
inline constexpr std::int16_t I = 0;
inline constexpr std::int16_t IV = 1;
inline constexpr std::int16_t CV = 2;
} // namespace function

namespace ramp {
inline constexpr std::int16_t SweepUp = 0;
inline constexpr std::int16_t SweepUpDown = 1;
inline constexpr std::int16_t StairUp = 2;
inline constexpr std::int16_t StairUpDown = 3;
inline constexpr std::int16_t Constant = 4;
} // namespace ramp

} // namespace hp4140
