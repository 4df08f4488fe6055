#pragma once

#include "sim/sim_settings.h"

#include <string>
#include <string_view>

namespace gpibsim {

// Sets one key of the configuration (section and key match without regard to case; the value is
// trimmed). Returns an empty text on success, otherwise what was wrong; a rejected value leaves
// the setting as it was. The configuration file and the gpibsim_ functions share this table.
std::string applySetting(SimSettings& settings, std::string_view section, std::string_view key,
                         std::string_view value);

// The text applySetting reads back as the same number.
std::string numberText(double value);

} // namespace gpibsim
