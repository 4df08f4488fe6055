#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace app {

// SIGTERM, SIGINT and SIGHUP, handled on the event loop instead of inside the signal handler:
// the handler only notes the signal (platform::stopSignal, for code busy outside the event
// loop) and writes its number into a pipe, and the loop reads it and calls the program's own
// stop, so no bus call or file write ever runs in a signal handler. One instance at a time; the
// default handlers come back when it goes.
class StopSignals final : public QObject {
    Q_OBJECT

public:
    explicit StopSignals(std::function<void(int)> onSignal, QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first signal received, 0 while none came.
    int received() const;

private:
    void readSignal();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

// The exit status of a process stopped by the signal: 128 + its number.
constexpr int signalExitStatus(int signal) {
    return 128 + signal;
}

} // namespace app
