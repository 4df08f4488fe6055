#pragma once

#include "debug_log.h"
#include "error_queue.h"
#include "platform/log_sink.h"

namespace diagnostics {

// The application's error queue and debug log, created on first use and kept for the whole run.
// The debug log keeps time by the steady clock.
oocErrorQueue& AppErrorQueue();
oocDebugLog& AppDebugLog();

// Forgets the window wherever the application's queue or log echoes to it, so a window that is
// destroyed leaves no dangling echo behind.
void detachLogWindow(const platform::LogSink* window);

} // namespace diagnostics
