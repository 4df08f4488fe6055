#pragma once

#include "platform/folders.h"
#include "settings/app_settings.h"

namespace app {

// What the start-up does before the main window exists: on first use of the program folder its
// config/ folder gets the shipped example configurations; then the application settings are
// read and the stored configuration path becomes the current one. The board id is for the
// application's instrument.
settings::AppSettings PrepareAppSettings(const platform::ProgramFolders& folders);

} // namespace app
