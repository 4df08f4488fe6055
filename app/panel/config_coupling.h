#pragma once

// The rules of the configuration panel that need no window: the slider tables, the coupling
// between each configuration field and its slider, and the ramps a test function allows.

#include "hp4140/test_config.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The index of a configuration field txtConfig(i) and of its slider sliderConfig(i).
enum ConfigField : int {
    StartVoltage = 0,
    StopVoltage = 1,
    StepVoltage = 2,
    HoldTime = 3,
    StepDelay = 4,
    RampRate = 5,
    VBVoltage = 6,
    VAVoltage = 7,
};
inline constexpr int kConfigFieldCount = 8;

// Slider position p of field i stands for p * sliderMultiplier[i] + sliderAdder[i].
struct SliderTables {
    std::array<double, kConfigFieldCount> sliderMultiplier{};
    std::array<double, kConfigFieldCount> sliderAdder{};
};

void InitSliderMultipliers(SliderTables& tables);

struct SliderRange {
    std::int32_t min = 0; // the top of the slider
    std::int32_t max = 0; // the bottom
};
SliderRange sliderRange(int field);

// The slider-to-field update: the new text of the field for slider position p, or nullopt when
// the field stays as it is. The field's value rounded to a whole number (halves to even) is
// compared with p * multiplier, without the offset, so a whole-volt slider leaves a fraction
// such as 10.4 alone.
std::optional<std::string> sliderToFieldText(const SliderTables& tables, int field,
                                             std::string_view fieldText, std::int32_t position);

// The field-to-slider update: the position for the field's value, rounded halves to even and
// held within the slider's range. A value beyond the range puts the slider at its end and is
// marked clamped: that position must not rewrite the field.
struct SliderPosition {
    std::int32_t value = 0;
    bool clamped = false;
};
SliderPosition fieldToSliderPosition(const SliderTables& tables, int field,
                                     std::string_view fieldText);

// The highest ramp a test function allows: "I" all five, "I-V" up to "Stair up/dn", "C-V" the
// two sweeps.
hp4140::Ramp highestAllowedRamp(hp4140::Function function);

} // namespace app
