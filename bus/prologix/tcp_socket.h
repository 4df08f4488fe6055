#pragma once

#include "bus/prologix/target.h"

namespace prologix {

// Connects to the target's host and port (each address the name resolves to, in turn, within
// 3 s each) with Nagle's delay off, since every command is a short line waiting for its answer.
// Returns the descriptor (non-blocking); raises LinkError naming the address.
int connectTcp(const Target& target);

} // namespace prologix
