#pragma once

#include <chrono>

namespace gpibsim {

// The simulator's own clock, in seconds. Real by default (steady time since the clock was made);
// virtual while a test or a dry run drives it, when it moves only through setTime/advance and
// through the time that bus calls spend (pass), so nothing sleeps. It never runs backwards:
// switching between the two modes continues from the present reading.
class SimClock {
public:
    SimClock();

    // Back to 0, in the same mode.
    void restart();
    double now() const;
    bool isVirtual() const { return virtual_; }
    void setVirtual(bool enable);
    // Both refuse (false) in real time, and setTime refuses a time before now.
    bool setTime(double seconds);
    bool advance(double seconds);
    // Time spent by a bus operation: a sleep in real time, a step of the virtual clock.
    void pass(double seconds);

private:
    double realNow() const;

    std::chrono::steady_clock::time_point origin_;
    double realOffset_ = 0.0;
    double virtualNow_ = 0.0;
    bool virtual_ = false;
};

} // namespace gpibsim
