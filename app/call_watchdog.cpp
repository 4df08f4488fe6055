#include "app/call_watchdog.h"

#include "app/datafile/run_journal.h"
#include "app/stop_signals.h"
#include "bus/gpib_calls.h"
#include "platform/stop_request.h"

#include <cstdlib>
#include <unistd.h>

namespace app {

namespace {

using std::chrono::steady_clock;

constexpr auto kLookEvery = std::chrono::milliseconds(200);

long wholeSeconds(steady_clock::duration lasting) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(lasting).count());
}

std::string stuckText(const bus::GpibCalls::CallInFlight& call) {
    return "the driver's " + std::string(call.name ? call.name : "call") +
           " has not returned for " + std::to_string(wholeSeconds(call.lasting)) + " s";
}

void say(const std::string& text) {
    const std::string line = "\n" + text + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
}

} // namespace

CallWatchdog::CallWatchdog(const bus::GpibCalls& calls, datafile::RunJournal& journal,
                           std::chrono::seconds longestCall)
    : calls_(calls), journal_(journal), longestCall_(longestCall), thread_([this] { watch(); }) {}

CallWatchdog::~CallWatchdog() {
    {
        std::lock_guard lock(mutex_);
        leaving_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void CallWatchdog::setDeadline(std::optional<steady_clock::time_point> deadline) {
    deadline_.store(deadline ? deadline->time_since_epoch().count() : 0);
}

void CallWatchdog::watch() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kLookEvery, [this] { return leaving_; }))
        if (const auto ending = verdict())
            endProcess(ending->first, ending->second);
}

std::optional<std::pair<int, std::string>> CallWatchdog::verdict() const {
    const std::optional<bus::GpibCalls::CallInFlight> call = calls_.callInFlight();
    if (!call)
        return std::nullopt;
    if (call->lasting > longestCall_)
        return std::pair{3, "Nobody waits for ever: " + stuckText(*call)};
    if (call->lasting < kStuckCall)
        return std::nullopt;
    if (const int signal = platform::stopSignal())
        return std::pair{signalExitStatus(signal), "Told to stop, but " + stuckText(*call)};
    const std::int64_t deadline = deadline_.load();
    if (deadline != 0 && steady_clock::now().time_since_epoch().count() > deadline)
        return std::pair{3, "The run's time limit has passed, and " + stuckText(*call)};
    return std::nullopt;
}

void CallWatchdog::endProcess(int status, const std::string& why) {
    const std::optional<std::string> kept = journal_.syncForExit();
    say(why +
        ": the program ends without returning the instrument to idle, and its output may "
        "still be on. " +
        (kept ? *kept + "." : std::string("No journal holds the readings.")));
    std::_Exit(status);
}

} // namespace app
