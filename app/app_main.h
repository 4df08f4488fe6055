#pragma once

#include "platform/options.h"

namespace app {

// The program's start-up: resolves the folders, installs the message box, builds the main window
// from its stored description and shows it, then runs the event loop until the last window
// closes. With --run it runs that configuration's test headless instead (offscreen, message boxes
// on standard error) and returns its exit status. Returns the process's exit code; a start-up
// that cannot build its window says why in a message box and returns 1.
int AppMain(int& argc, char** argv, const platform::ProgramOptions& options);

} // namespace app
