#pragma once

#include "clock.h"

#include <chrono>
#include <functional>

namespace platform {

// A repeating timer in the manner of the window timer: while active it calls its handler every
// interval; ticks that were missed while a handler ran are not made up.
class Timer {
public:
    using Handler = std::function<void()>;

    virtual ~Timer() = default;
    virtual void setInterval(std::chrono::milliseconds interval) = 0;
    virtual std::chrono::milliseconds interval() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    void setHandler(Handler handler) { handler_ = std::move(handler); }

protected:
    void tick() {
        if (handler_)
            handler_();
    }

private:
    Handler handler_;
};

// A timer on a VirtualClock: it fires when the clock is advanced past its deadline.
class VirtualTimer final : public Timer {
public:
    explicit VirtualTimer(VirtualClock& clock);
    ~VirtualTimer() override;
    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;

    void setInterval(std::chrono::milliseconds interval) override;
    std::chrono::milliseconds interval() const override { return interval_; }
    void start() override;
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }

    VirtualClock::Duration deadline() const { return deadline_; }

private:
    friend class VirtualClock;
    void fire();

    VirtualClock& clock_;
    std::chrono::milliseconds interval_{1000};
    VirtualClock::Duration deadline_{0};
    bool active_ = false;
};

} // namespace platform
