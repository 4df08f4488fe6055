#pragma once

#include <cstdint>

namespace hp4140 {

// The test function and the ramp, numbered as the panel's option groups, the configuration
// files and the instrument's commands number them.
enum class Function : std::int16_t { I = 0, IV = 1, CV = 2 };
enum class Ramp : std::int16_t {
    SweepUp = 0,
    SweepUpDown = 1,
    StairUp = 2,
    StairUpDown = 3,
    Constant = 4
};

// The stored number and back. A number no option has passes through unchanged, as it always has.
constexpr std::int16_t optionIndex(Function f) {
    return static_cast<std::int16_t>(f);
}
constexpr std::int16_t optionIndex(Ramp r) {
    return static_cast<std::int16_t>(r);
}
constexpr Function functionAt(std::int16_t index) {
    return static_cast<Function>(index);
}
constexpr Ramp rampAt(std::int16_t index) {
    return static_cast<Ramp>(index);
}

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
    Ramp iRamp = Ramp::SweepUp;
    std::int16_t iVBMode = 0;
    std::int16_t iFilter = 0;
    Function iFunction = Function::I;
    float fSampleRate = 0.0f;
    float fMaxSampleTime = 0.0f;
};

// An up/down ramp goes back to its start after reaching its stop.
constexpr bool goesBothWays(Ramp r) {
    return r == Ramp::SweepUpDown || r == Ramp::StairUpDown;
}

// The instrument only steps in I-V; in C-V every ramp but Constant sweeps.
constexpr bool isStair(const TestConfig& c) {
    return c.iFunction == Function::IV &&
           (c.iRamp == Ramp::StairUp || c.iRamp == Ramp::StairUpDown);
}

} // namespace hp4140
