#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "hp4140/test_config.h"

namespace hp4140 {

// The settings a sweep or stair depends on that the instrument ignores when they are out of its
// range: it keeps its previous value then, and the run gives one reading where fifty were set up.
enum class CheckedSetting { StepVoltage, RampRate, StepDelay };

// What the instrument takes for the setting, said as the tooltips and the refusals say it:
// "a sweep or stair needs a step of at least 0.01 V either way".
std::string settingNeeds(CheckedSetting setting);
// The setting by its name in the window's field descriptions ("stepVoltage", "rampRate",
// "stepDelay").
std::optional<CheckedSetting> checkedSettingNamed(std::string_view name);

// Why Start must refuse the set-up: a setting the chosen function and ramp use that the
// instrument would ignore, judged on the command as it would be sent (a step of 0.002 V is sent
// as PE0.0), so the rule and the command cannot disagree. Names the field, the command and what
// the instrument takes; nullopt when every setting used is taken.
std::optional<std::string> IgnoredSettingRefusal(const TestConfig& config);

} // namespace hp4140
