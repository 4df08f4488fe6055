#pragma once

#include "bus/prologix/target.h"

#include <optional>

namespace prologix {

// The termios speed constant of a baud rate, or nothing when a serial port cannot be set to it.
std::optional<unsigned> speedCode(int baud);

// Opens the target's serial port raw, 8N1 at its baud rate, without flow control, for this
// process alone: TIOCEXCL keeps other programs out (Linux lets two processes share a tty), and
// an flock keeps out those that TIOCEXCL lets through, root among them. Returns the descriptor
// (non-blocking); raises LinkError naming the port.
int openSerialPort(const Target& target);

} // namespace prologix
