#pragma once

#include <string>

namespace app {

// The main window's caption: the title line alone while no configuration file is in use,
// otherwise the title line, " - " and the file's name (the text after the last "/").
std::string windowCaption(const std::string& currentConfigPath);

} // namespace app
