#include "qt_timer.h"

#include <algorithm>

namespace runtime {

QtTimer::QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void QtTimer::setInterval(std::chrono::milliseconds interval) {
    timer_.setInterval(std::max(interval, std::chrono::milliseconds(1)));
}

std::chrono::milliseconds QtTimer::interval() const {
    return timer_.intervalAsDuration();
}

} // namespace runtime
