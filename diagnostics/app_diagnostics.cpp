#include "app_diagnostics.h"

#include "platform/clock.h"

namespace diagnostics {

oocErrorQueue& AppErrorQueue() {
    static oocErrorQueue queue;
    return queue;
}

oocDebugLog& AppDebugLog() {
    // The clock is made first so it outlives the log, whose destruction still stamps the file.
    static platform::SteadyClock clock;
    static oocDebugLog log(clock);
    return log;
}

void detachLogWindow(const platform::LogSink* window) {
    if (AppErrorQueue().LogWindow == window)
        AppErrorQueue().LogWindow = nullptr;
    if (AppDebugLog().LogWindow == window)
        AppDebugLog().LogWindow = nullptr;
}

} // namespace diagnostics
