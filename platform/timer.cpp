#include "timer.h"

#include <algorithm>

namespace platform {

VirtualTimer::VirtualTimer(VirtualClock& clock) : clock_(clock) { clock_.attach(this); }

VirtualTimer::~VirtualTimer() { clock_.detach(this); }

void VirtualTimer::setInterval(std::chrono::milliseconds interval) {
    // A window timer never fires faster than 1 ms; a zero interval would spin forever.
    interval_ = std::max(interval, std::chrono::milliseconds(1));
    if (active_)
        deadline_ = clock_.now() + interval_;
}

void VirtualTimer::start() {
    active_ = true;
    deadline_ = clock_.now() + interval_;
}

void VirtualTimer::fire() {
    deadline_ += interval_;
    tick();
    // The handler may have slept past later ticks; the timer resumes on its own grid.
    while (active_ && deadline_ <= clock_.now())
        deadline_ += interval_;
}

} // namespace platform
