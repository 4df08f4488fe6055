#include "panel_settings.h"

#include "quenta/numtext/numtext.h"

namespace app {

namespace {

float single(const std::string& text) {
    return static_cast<float>(numtext::readNumber(text));
}

std::int16_t integer(const std::string& text) {
    return numtext::toInt16(numtext::readNumber(text));
}

std::int16_t plusOne(std::int16_t index) {
    return static_cast<std::int16_t>(index + 1);
}

} // namespace

hp4140::TestConfig testConfigFrom(const PanelSettings& s) {
    hp4140::TestConfig c;
    c.iGPIBAddress = integer(s.gpibAddress);
    c.iBoardID = integer(s.gpibBoardId);
    c.fVAVoltage = single(s.config[VAVoltage]);
    c.fVBVoltage = single(s.config[VBVoltage]);
    c.fStartVoltage = single(s.config[StartVoltage]);
    c.fStopVoltage = single(s.config[StopVoltage]);
    c.fStepVoltage = single(s.config[StepVoltage]);
    c.iHoldTime = integer(s.config[HoldTime]);
    c.fStepDelay = single(s.config[StepDelay]);
    c.fRampRate = single(s.config[RampRate]);
    c.iCurrentLimitVA = plusOne(s.currentLimitVA);
    c.iCurrentLimitVB = plusOne(s.currentLimitVB);
    c.iIntegration = s.integration;
    c.iRamp = hp4140::rampAt(s.ramp);
    c.iVBMode = s.vbMode;
    c.iFilter = s.filter;
    c.iFunction = hp4140::functionAt(s.function);
    c.fSampleRate = single(s.sampleRate);
    c.fMaxSampleTime = single(s.totalTestTime);
    return c;
}

} // namespace app
