#pragma once

#include "sim/sim_settings.h"

#include <istream>
#include <string>
#include <vector>

namespace gpibsim {

struct ConfigReport {
    bool opened = false;
    std::vector<std::string> problems; // one text per rejected line, with its line number
};

// Reads an INI text ("[section]", "key = value", comments starting with ';' or '#') into the
// settings. Good lines take effect even when others are rejected.
ConfigReport readConfig(std::istream& in, SimSettings& settings);
ConfigReport readConfigFile(const std::string& path, SimSettings& settings);

} // namespace gpibsim
