#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace bus {
class GpibCalls;
}

namespace datafile {
class RunJournal;
}

namespace app {

// Watches the driver calls from a thread of its own, for the one thing the window thread cannot
// get out of by itself: a driver call that never returns. When one call has lasted longer than
// the longest call allowed, or a stop signal has come (or the run's time limit has passed) while
// the window thread has been stuck in one call for longer than any call with a timeout lasts, it
// puts the journal on the disk, says on standard error where the readings are and that the
// instrument's output may still be on, and ends the process at once: 3, or 128 + the signal. It
// never calls the driver itself, which is stuck.
class CallWatchdog {
public:
    CallWatchdog(const bus::GpibCalls& calls, datafile::RunJournal& journal,
                 std::chrono::seconds longestCall);
    ~CallWatchdog();
    CallWatchdog(const CallWatchdog&) = delete;
    CallWatchdog& operator=(const CallWatchdog&) = delete;

    // A run nobody watches must end by then (steady clock); nullopt: no limit.
    void setDeadline(std::optional<std::chrono::steady_clock::time_point> deadline);

    // Longer than a read waits on the board's 3 s timeout.
    static constexpr std::chrono::seconds kStuckCall{4};

private:
    void watch();
    // The exit status and what to say, when the process must end now.
    std::optional<std::pair<int, std::string>> verdict() const;
    [[noreturn]] void endProcess(int status, const std::string& why);

    const bus::GpibCalls& calls_;
    datafile::RunJournal& journal_;
    std::chrono::seconds longestCall_;
    std::atomic<std::int64_t> deadline_{0}; // steady-clock nanoseconds; 0: none
    std::mutex mutex_;
    std::condition_variable wake_;
    bool leaving_ = false;
    std::thread thread_;
};

} // namespace app
