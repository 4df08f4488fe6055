#include "bus/prologix/serial_port.h"

#include "bus/prologix/link_error.h"
#include "bus/prologix/open_problem.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace prologix {

namespace {

constexpr std::array<std::pair<int, speed_t>, 14> kSpeeds{{
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {500000, B500000},
    {921600, B921600},
    {1000000, B1000000},
    {2000000, B2000000},
}};

std::string userName() {
    if (const passwd* account = ::getpwuid(::geteuid()))
        return account->pw_name;
    return "USER";
}

// The group that may open the port; Debian gives serial ports to dialout.
std::string groupOf(const std::string& port) {
    struct stat status {};
    if (::stat(port.c_str(), &status) == 0)
        if (const group* owner = ::getgrgid(status.st_gid))
            return owner->gr_name;
    return "dialout";
}

[[noreturn]] void refuse(const Target& target, int error) {
    throw LinkError(serialOpenProblem(target.device, error, userName(), groupOf(target.device)));
}

void makeRaw(int fd, const Target& target) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        refuse(target, errno);
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS | CSIZE);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    const speed_t speed = *speedCode(target.baud);
    if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0 ||
        ::tcsetattr(fd, TCSANOW, &settings) != 0)
        refuse(target, errno);
    ::tcflush(fd, TCIOFLUSH);
}

} // namespace

std::optional<unsigned> speedCode(int baud) {
    for (const auto& [rate, code] : kSpeeds)
        if (rate == baud)
            return code;
    return std::nullopt;
}

int openSerialPort(const Target& target) {
    const int fd = ::open(target.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuse(target, errno);
    try {
        if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY)
            refuse(target, errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            refuse(target, errno == EWOULDBLOCK ? EBUSY : errno);
        makeRaw(fd, target);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

} // namespace prologix
