#include "sim/sim_clock.h"

#include <cmath>
#include <thread>

namespace gpibsim {

SimClock::SimClock() : origin_(std::chrono::steady_clock::now()) {}

double SimClock::realNow() const {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - origin_;
    return realOffset_ + elapsed.count();
}

void SimClock::restart() {
    origin_ = std::chrono::steady_clock::now();
    realOffset_ = 0.0;
    virtualNow_ = 0.0;
}

double SimClock::now() const {
    return virtual_ ? virtualNow_ : realNow();
}

void SimClock::setVirtual(bool enable) {
    if (enable == virtual_)
        return;
    if (enable) {
        virtualNow_ = realNow();
    } else {
        origin_ = std::chrono::steady_clock::now();
        realOffset_ = virtualNow_;
    }
    virtual_ = enable;
}

bool SimClock::setTime(double seconds) {
    if (!virtual_ || !std::isfinite(seconds) || seconds < virtualNow_)
        return false;
    virtualNow_ = seconds;
    return true;
}

bool SimClock::advance(double seconds) {
    if (!virtual_ || !std::isfinite(seconds) || seconds < 0.0)
        return false;
    virtualNow_ += seconds;
    return true;
}

void SimClock::pass(double seconds) {
    if (!(seconds > 0.0) || !std::isfinite(seconds))
        return;
    if (virtual_)
        virtualNow_ += seconds;
    else
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

} // namespace gpibsim
