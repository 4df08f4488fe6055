#pragma once

// The copy of the window's settings into the test record, as plain values.

#include "config_coupling.h"
#include "hp4140/test_config.h"

#include <array>
#include <cstdint>
#include <string>

namespace app {

// What the panel holds when a test starts: the field texts and the selected index of each
// option group (0 when none is selected).
struct PanelSettings {
    std::string gpibAddress;
    std::string gpibBoardId;
    std::array<std::string, kConfigFieldCount> config;
    std::string sampleRate;
    std::string totalTestTime;
    std::int16_t currentLimitVA = 0;
    std::int16_t currentLimitVB = 0;
    std::int16_t integration = 0;
    std::int16_t function = 0;
    std::int16_t ramp = 0;
    std::int16_t vbMode = 0;
    std::int16_t filter = 0;
};

// Texts are read by the fields' number rule (no number reads as 0); integer settings round
// halves to even and are held within 16 bits.
hp4140::TestConfig testConfigFrom(const PanelSettings& settings);

} // namespace app
