#include "bus/prologix/tcp_socket.h"

#include "bus/prologix/link_error.h"
#include "bus/prologix/open_problem.h"

#include <cerrno>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace prologix {

namespace {

constexpr int kConnectTimeoutMs = 3000;

using AddressList = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

AddressList resolve(const Target& target) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(target.port);
    if (const int code = ::getaddrinfo(target.host.c_str(), port.c_str(), &hints, &found);
        code != 0)
        throw LinkError("The adapter's host name " + target.host +
                        " cannot be resolved: " + ::gai_strerror(code) + ".");
    return AddressList(found, &::freeaddrinfo);
}

// The connection's descriptor, or -1 with errno saying why.
int connectOne(const addrinfo& address) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0)
        return -1;
    int error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            pollfd wait{fd, POLLOUT, 0};
            const int ready = ::poll(&wait, 1, kConnectTimeoutMs);
            socklen_t size = sizeof error;
            if (ready == 0)
                error = ETIMEDOUT;
            else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
                error = errno;
        }
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    return fd;
}

} // namespace

int connectTcp(const Target& target) {
    const AddressList addresses = resolve(target);
    int error = EHOSTUNREACH;
    for (const addrinfo* address = addresses.get(); address; address = address->ai_next) {
        if (const int fd = connectOne(*address); fd >= 0)
            return fd;
        error = errno;
    }
    throw LinkError(tcpConnectProblem(target.name(), error));
}

} // namespace prologix
