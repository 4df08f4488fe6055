#include "hp4140/setup_limits.h"

#include "hp4140/command_set.h"
#include "quenta/numtext/numtext.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace hp4140 {

namespace {

struct Limit {
    CheckedSetting setting;
    const char* name;    // in the field descriptions
    const char* field;   // the panel's caption
    const char* command; // the command's prefix
    double least;        // as sent
    bool eitherWay;      // the size counts, not the sign
    const char* needs;
};

// The instrument's smallest settings: a step of 0.01 V (PE takes two decimals), 0.001 V/s, and
// no negative delay. The largest ones are beyond what the panel's fields accept.
const Limit kLimits[] = {
    {CheckedSetting::StepVoltage, "stepVoltage", "Step Voltage", "PE", 0.01, true,
     "a sweep or stair needs a step of at least 0.01 V either way"},
    {CheckedSetting::RampRate, "rampRate", "dV/dt (V/s)", "PV", 0.001, false,
     "a sweep needs 0.001 V/s or more"},
    {CheckedSetting::StepDelay, "stepDelay", "Step Delay", "PD", 0.0, false,
     "a stair needs 0 s or more"},
};

const Limit& limitOf(CheckedSetting setting) {
    return *std::find_if(std::begin(kLimits), std::end(kLimits),
                         [&](const Limit& l) { return l.setting == setting; });
}

// The settings the instrument uses for this function and ramp: I tests and constant ramps hold
// their voltage; C-V only sweeps.
std::vector<CheckedSetting> usedSettings(const TestConfig& c) {
    if (c.iFunction == Function::I || c.iRamp == Ramp::Constant)
        return {};
    if (isStair(c))
        return {CheckedSetting::StepVoltage, CheckedSetting::StepDelay};
    return {CheckedSetting::StepVoltage, CheckedSetting::RampRate};
}

std::optional<std::string> refusalFor(const Limit& limit, const std::vector<Command>& commands) {
    const auto sent = std::find_if(commands.begin(), commands.end(), [&](const Command& c) {
        return c.text.starts_with(limit.command);
    });
    if (sent == commands.end())
        return std::nullopt;
    const double value = numtext::readNumber(std::string_view(sent->text).substr(2));
    // Compared as the instrument reads the text: 0.01 is 0.01, not a double a hair below it.
    const double slack = 1e-9;
    if ((limit.eitherWay ? std::fabs(value) : value) + slack >= limit.least)
        return std::nullopt;
    return std::string(limit.field) + " is sent as " + sent->text +
           ", which the instrument ignores: " + limit.needs + ".";
}

} // namespace

std::string settingNeeds(CheckedSetting setting) {
    return limitOf(setting).needs;
}

std::optional<CheckedSetting> checkedSettingNamed(std::string_view name) {
    for (const Limit& limit : kLimits)
        if (name == limit.name)
            return limit.setting;
    return std::nullopt;
}

std::optional<std::string> IgnoredSettingRefusal(const TestConfig& config) {
    const std::vector<Command> commands = ConfigurationCommands(config);
    for (CheckedSetting setting : usedSettings(config))
        if (auto refusal = refusalFor(limitOf(setting), commands))
            return refusal;
    return std::nullopt;
}

} // namespace hp4140
