#pragma once

#include <chrono>
#include <functional>
#include <vector>

namespace platform {

class VirtualTimer;

// Time as the program sees it. Elapsed time is monotonic, so a test that runs across midnight
// keeps counting; wall time is only for stamps. sleep() blocks without running the event loop.
class Clock {
public:
    using WallTime = std::chrono::system_clock::time_point;

    virtual ~Clock() = default;
    virtual double elapsedSeconds() const = 0;
    virtual WallTime wallTime() const = 0;
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

class SteadyClock final : public Clock {
public:
    SteadyClock();
    double elapsedSeconds() const override;
    WallTime wallTime() const override;
    void sleep(std::chrono::milliseconds duration) override;

private:
    std::chrono::steady_clock::time_point origin_;
};

// A clock that moves only when told to. sleep() advances it at once, and advancing it fires the
// virtual timers whose deadlines it passes, in deadline order, each at its own deadline.
class VirtualClock final : public Clock {
public:
    using Duration = std::chrono::nanoseconds;

    explicit VirtualClock(WallTime wallOrigin = WallTime{});
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    double elapsedSeconds() const override;
    WallTime wallTime() const override;
    void sleep(std::chrono::milliseconds duration) override;

    Duration now() const { return now_; }
    // Called with the new time whenever the clock moves, before any timer fires: a simulated
    // instrument follows the program's time through it.
    void setTimeListener(std::function<void(Duration)> listener) {
        listener_ = std::move(listener);
    }
    // Moves time forward by the duration, firing every timer that falls due on the way.
    void advance(Duration duration);
    // Fires the next due timer, moving time to its deadline; false when no timer is active.
    bool fireNextTimer();
    // Moves time forward to the time (never back) without firing a timer: the time a blocking
    // call spent; timers that fell due meanwhile resume on their own grid.
    void catchUp(Duration time);

private:
    friend class VirtualTimer;
    void attach(VirtualTimer* timer);
    void detach(VirtualTimer* timer);
    VirtualTimer* nextDue(Duration limit) const;

    void moveTo(Duration time);

    Duration now_{0};
    std::function<void(Duration)> listener_;
    WallTime wallOrigin_;
    std::vector<VirtualTimer*> timers_;
};

} // namespace platform
