#pragma once

#include <string>

namespace prologix {

// Where the adapter is: a serial port (Prologix GPIB-USB, AR488) or a TCP port (Prologix
// GPIB-ETHERNET).
struct Target {
    enum class Kind { Serial, Tcp };

    static constexpr int kDefaultBaud = 115200;
    static constexpr int kDefaultTcpPort = 1234;

    Kind kind = Kind::Serial;
    std::string device; // a serial port's path
    int baud = kDefaultBaud;
    std::string host;
    int port = kDefaultTcpPort;

    // The port as messages name it: "/dev/ttyUSB0", "192.168.1.20:1234".
    std::string name() const;
};

// Reads "DEVICE[?baud=N]" (an absolute path) or "tcp://HOST[:PORT]" (a bracketed IPv6 address
// for HOST); raises LinkError saying what is wrong otherwise.
Target parseTarget(const std::string& text);

} // namespace prologix
