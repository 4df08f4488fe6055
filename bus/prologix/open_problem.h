#pragma once

#include <string>

namespace prologix {

// What the user reads when the serial port cannot be opened (errno `error`). Permission denied
// says how `user` joins `group`, the group the port belongs to.
std::string serialOpenProblem(const std::string& port, int error, const std::string& user,
                              const std::string& group);

// What the user reads when nothing could be reached at `address` (HOST:PORT), for errno `error`.
std::string tcpConnectProblem(const std::string& address, int error);

} // namespace prologix
