#include "stop_request.h"

#include <atomic>

namespace platform {

namespace {

// Lock-free, so the handler may store it and another thread read it.
std::atomic<int> noted{0};
static_assert(std::atomic<int>::is_always_lock_free);

} // namespace

void noteStopSignal(int signal) noexcept {
    int none = 0;
    noted.compare_exchange_strong(none, signal);
}

int stopSignal() noexcept {
    return noted.load();
}

void clearStopSignal() noexcept {
    noted.store(0);
}

} // namespace platform
