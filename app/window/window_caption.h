#pragma once

#include <string>

namespace app {

// The main window's caption: the title line alone while no configuration file is in use,
// otherwise the title line, " - " and the file's name (the text after the last "/"). While the
// panel holds the set-up of a run record, the title line and " - from run " and the run's name
// ("diode_fwd" for diode_fwd.run.ini).
std::string windowCaption(const std::string& currentConfigPath, const std::string& runRecord = {});

} // namespace app
