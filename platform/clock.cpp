#include "clock.h"

#include "timer.h"

#include <algorithm>
#include <thread>

namespace platform {

SteadyClock::SteadyClock() : origin_(std::chrono::steady_clock::now()) {}

double SteadyClock::elapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

Clock::WallTime SteadyClock::wallTime() const {
    return std::chrono::system_clock::now();
}

void SteadyClock::sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

VirtualClock::VirtualClock(WallTime wallOrigin) : wallOrigin_(wallOrigin) {
    if (wallOrigin_ == WallTime{})
        wallOrigin_ = std::chrono::system_clock::now();
}

double VirtualClock::elapsedSeconds() const {
    return std::chrono::duration<double>(now_).count();
}

Clock::WallTime VirtualClock::wallTime() const {
    return wallOrigin_ + std::chrono::duration_cast<WallTime::duration>(now_);
}

void VirtualClock::sleep(std::chrono::milliseconds duration) {
    // A sleep runs no event loop, so no timer fires during it.
    moveTo(now_ + duration);
}

void VirtualClock::advance(Duration duration) {
    const Duration target = now_ + duration;
    while (VirtualTimer* timer = nextDue(target)) {
        moveTo(std::max(now_, timer->deadline()));
        timer->fire();
    }
    moveTo(std::max(now_, target));
}

bool VirtualClock::fireNextTimer() {
    VirtualTimer* timer = nextDue(Duration::max());
    if (!timer)
        return false;
    moveTo(std::max(now_, timer->deadline()));
    timer->fire();
    return true;
}

void VirtualClock::catchUp(Duration time) {
    now_ = std::max(now_, time);
}

void VirtualClock::moveTo(Duration time) {
    if (time == now_)
        return;
    now_ = time;
    if (listener_)
        listener_(now_);
}

void VirtualClock::attach(VirtualTimer* timer) {
    timers_.push_back(timer);
}

void VirtualClock::detach(VirtualTimer* timer) {
    std::erase(timers_, timer);
}

VirtualTimer* VirtualClock::nextDue(Duration limit) const {
    VirtualTimer* due = nullptr;
    for (VirtualTimer* timer : timers_) {
        if (timer->isActive() && timer->deadline() <= limit &&
            (!due || timer->deadline() < due->deadline()))
            due = timer;
    }
    return due;
}

} // namespace platform
