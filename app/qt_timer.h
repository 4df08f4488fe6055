#pragma once

#include "platform/timer.h"

#include <QTimer>

namespace app {

// The window timer on the desktop: a precise QTimer calling the handler on the window thread.
class QtTimer final : public platform::Timer {
public:
    QtTimer();

    void setInterval(std::chrono::milliseconds interval) override;
    std::chrono::milliseconds interval() const override;
    void start() override;
    void stop() override;
    bool isActive() const override;

private:
    QTimer timer_;
};

} // namespace app
