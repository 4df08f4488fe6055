#pragma once

#include "bus/prologix/target.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace prologix {

// The byte stream to the adapter, a serial port or a TCP connection, owned as one descriptor.
// Every wait is bounded by a deadline; a link that has gone (unplugged, connection closed)
// raises LinkError naming the port.
class Link {
public:
    using Clock = std::chrono::steady_clock;
    using Deadline = Clock::time_point;

    enum class End { Stop, Full, Quiet, Deadline };

    static Link open(const Target& target);
    Link(int fd, std::string name, bool socket);
    ~Link();
    Link(Link&& other) noexcept;
    Link& operator=(Link&& other) noexcept;

    const std::string& name() const { return name_; }
    void write(std::string_view bytes);
    // One line up to its line feed, CR and LF cut off; nothing when none is complete by then.
    std::optional<std::string> readLine(Deadline deadline);
    // Appends to `reply` until the stop byte (kept) has come, `reply` holds `max` bytes, the line
    // has been quiet for `quiet` after a byte, or the deadline has passed.
    End read(std::string& reply, std::optional<char> stop, std::size_t max, Deadline deadline,
             std::optional<Clock::duration> quiet = std::nullopt);
    // Drops what has arrived unasked (a late answer, noise on the line).
    void discardInput();
    // Drops everything that arrives until then as well.
    void discardUntil(Deadline deadline);

private:
    bool receive(Deadline until);
    [[noreturn]] void lost(const std::string& when, int error) const;

    int fd_ = -1;
    std::string name_;
    bool socket_ = false;
    std::string buffered_;
};

} // namespace prologix
