#pragma once

#include <stdexcept>

namespace prologix {

// The adapter cannot be reached: a port that cannot be opened, a target that is no port, or a
// link that has gone. The text says so for the user and names the port.
class LinkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace prologix
