#include "bus/prologix/link.h"

#include "bus/prologix/link_error.h"
#include "bus/prologix/serial_port.h"
#include "bus/prologix/tcp_socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace prologix {

namespace {

constexpr std::size_t kChunk = 4096;
constexpr std::size_t kLongestLine = 4096;
// An adapter that takes no data for this long is not taking any.
constexpr auto kWriteWait = std::chrono::seconds(2);

int millisecondsUntil(Link::Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - Link::Clock::now() + std::chrono::microseconds(999));
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 60'000));
}

} // namespace

Link Link::open(const Target& target) {
    if (target.kind == Target::Kind::Tcp)
        return Link(connectTcp(target), target.name(), true);
    return Link(openSerialPort(target), target.name(), false);
}

Link::Link(int fd, std::string name, bool socket)
    : fd_(fd), name_(std::move(name)), socket_(socket) {}

Link::~Link() {
    if (fd_ >= 0)
        ::close(fd_);
}

Link::Link(Link&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), name_(std::move(other.name_)), socket_(other.socket_),
      buffered_(std::move(other.buffered_)) {}

Link& Link::operator=(Link&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        name_ = std::move(other.name_);
        socket_ = other.socket_;
        buffered_ = std::move(other.buffered_);
    }
    return *this;
}

void Link::lost(const std::string& when, int error) const {
    const std::string what =
        error == 0 ? (socket_ ? "the connection was closed" : "end of file") : std::strerror(error);
    throw LinkError("The adapter on " + name_ + " is gone (" + when + ": " + what + ")");
}

void Link::write(std::string_view bytes) {
    const Deadline deadline = Clock::now() + kWriteWait;
    while (!bytes.empty()) {
        const ssize_t n = socket_ ? ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                  : ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            lost("writing", errno);
        pollfd wait{fd_, POLLOUT, 0};
        if (::poll(&wait, 1, millisecondsUntil(deadline)) == 0)
            throw LinkError("The adapter on " + name_ + " takes no data (for " +
                            std::to_string(kWriteWait.count()) + " s)");
    }
}

// Waits until bytes have come (true), or the time has passed (false).
bool Link::receive(Deadline until) {
    for (;;) {
        pollfd wait{fd_, POLLIN, 0};
        const int ready = ::poll(&wait, 1, millisecondsUntil(until));
        if (ready == 0)
            return false;
        if (ready < 0 && errno == EINTR)
            continue;
        char chunk[kChunk];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n > 0) {
            buffered_.append(chunk, static_cast<std::size_t>(n));
            return true;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        lost("reading", n == 0 ? 0 : errno);
    }
}

Link::End Link::read(std::string& reply, std::optional<char> stop, std::size_t max,
                     Deadline deadline, std::optional<Clock::duration> quiet) {
    for (;;) {
        std::size_t take = std::min(max - std::min(max, reply.size()), buffered_.size());
        bool stopped = false;
        if (stop)
            if (const auto at = buffered_.find(*stop); at != std::string::npos && at < take) {
                take = at + 1;
                stopped = true;
            }
        reply.append(buffered_, 0, take);
        buffered_.erase(0, take);
        if (stopped)
            return End::Stop;
        if (reply.size() >= max)
            return End::Full;
        const Deadline until =
            reply.empty() || !quiet ? deadline : std::min(deadline, Clock::now() + *quiet);
        if (!receive(until))
            return Clock::now() >= deadline ? End::Deadline : End::Quiet;
    }
}

std::optional<std::string> Link::readLine(Deadline deadline) {
    std::string line;
    const End end = read(line, '\n', kLongestLine, deadline);
    if (end == End::Deadline) {
        buffered_.insert(0, line); // the rest of it may still come
        return std::nullopt;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

void Link::discardInput() {
    buffered_.clear();
    if (!socket_)
        ::tcflush(fd_, TCIFLUSH);
    while (receive(Clock::now()))
        buffered_.clear();
}

void Link::discardUntil(Deadline deadline) {
    while (receive(deadline))
        buffered_.clear();
    buffered_.clear();
}

} // namespace prologix
