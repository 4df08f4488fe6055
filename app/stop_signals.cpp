#include "app/stop_signals.h"

#include "platform/stop_request.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace app {

namespace {

constexpr std::array kStopSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe the handler writes into: a signal handler can reach nothing but a process-wide value.
int signalPipe[2] = {-1, -1};

extern "C" void writeSignal(int signal) {
    const int saved = errno;
    platform::noteStopSignal(signal);
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
    errno = saved;
}

void setHandlers(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

StopSignals::StopSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default action: the program simply ends
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
    setHandlers(writeSignal);
}

StopSignals::~StopSignals() {
    setHandlers(SIG_DFL);
    for (int& end : signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

int StopSignals::received() const {
    return platform::stopSignal();
}

void StopSignals::readSignal() {
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1)
        onSignal_(number);
}

} // namespace app
