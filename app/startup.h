#pragma once

#include "platform/folders.h"
#include "settings/app_settings.h"

namespace app {

// What the start-up does before the main window exists: on first use of the program folder its
// config/ folder gets the shipped example configurations; then the application settings are
// read, with a stored configuration path that only exists under its once-cleaned name mended.
// The board id is for the application's instrument, the configuration path its current one.
settings::AppSettings PrepareAppSettings(const platform::ProgramFolders& folders);

} // namespace app
