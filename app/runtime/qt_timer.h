#pragma once

#include "platform/timer.h"

#include <QTimer>

namespace runtime {

// The window timer on Qt's event loop, with precise timing so a 4 s sample rate stays 4 s.
class QtTimer final : public platform::Timer {
public:
    QtTimer();
    void setInterval(std::chrono::milliseconds interval) override;
    std::chrono::milliseconds interval() const override;
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace runtime
