#include "bus/prologix/open_problem.h"

#include <cerrno>
#include <cstring>

namespace prologix {

std::string serialOpenProblem(const std::string& port, int error, const std::string& user,
                              const std::string& group) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "The serial port " + port +
               " does not exist: is the adapter plugged in? (ls /dev/ttyUSB* /dev/ttyACM* "
               "/dev/serial/by-id lists the serial ports there are.)";
    case EACCES:
    case EPERM:
        return "Permission denied on the serial port " + port + ", which belongs to the group " +
               group + ". Join that group with \"sudo adduser " + user + " " + group +
               "\", then log out and log in again (a new group counts from the next login).";
    case EBUSY:
        return "The serial port " + port +
               " is in use by another program: close it (or the other Tarvix-4140) and try again.";
    case ENOTTY:
        return port + " is not a serial port.";
    default:
        return "The serial port " + port + " cannot be opened: " + std::strerror(error) + ".";
    }
}

std::string tcpConnectProblem(const std::string& address, int error) {
    switch (error) {
    case ECONNREFUSED:
        return "Nothing accepts connections at " + address +
               ": is the adapter switched on, and is that its address and port (1234 for a "
               "Prologix GPIB-ETHERNET)?";
    case ETIMEDOUT:
        return "The adapter at " + address + " does not answer (no connection within 3 s).";
    default:
        return "The adapter at " + address + " cannot be reached: " + std::strerror(error) + ".";
    }
}

} // namespace prologix
