#include "app/qt_timer.h"

namespace app {

QtTimer::QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void QtTimer::setInterval(std::chrono::milliseconds interval) {
    timer_.setInterval(interval);
}

std::chrono::milliseconds QtTimer::interval() const {
    return timer_.intervalAsDuration();
}

void QtTimer::start() {
    timer_.start();
}

void QtTimer::stop() {
    timer_.stop();
}

bool QtTimer::isActive() const {
    return timer_.isActive();
}

} // namespace app
