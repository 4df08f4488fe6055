#pragma once

namespace platform {

// A stop signal (SIGTERM, SIGINT, SIGHUP) noted by its handler, for code that cannot wait for
// the event loop to hear of it: a configuration download between two commands, a dialog that
// must close with its safe answer, the watchdog of a driver call that never returns. A signal
// handler can reach nothing but a process-wide value, so this is one.

// Async-signal-safe: only stores the number. The first signal is kept.
void noteStopSignal(int signal) noexcept;
// The first stop signal's number, 0 while none came.
int stopSignal() noexcept;
inline bool stopRequested() noexcept {
    return stopSignal() != 0;
}
// Forgets the signal (a test's next case, or a program that handled it and goes on).
void clearStopSignal() noexcept;

} // namespace platform
