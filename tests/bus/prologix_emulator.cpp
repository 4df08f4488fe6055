#include "prologix_emulator.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;
constexpr char kEsc = 27;
constexpr int kPollMs = 20;
constexpr unsigned short kNoAddr = 0xFFFF;
constexpr int kErr = 0x8000;
constexpr int kSrqi = 0x1000;
constexpr int kStopEnd = 0x100;
// Seconds of the board timeout codes 1 to 17 (T10us to T1000s), for ++read_tmo_ms.
constexpr double kTimeoutSeconds[] = {10e-6, 30e-6, 100e-6, 300e-6, 1e-3, 3e-3,  10e-3, 30e-3, 0.1,
                                      0.3,   1.0,   3.0,    10.0,   30.0, 100.0, 300.0, 1000.0};
const std::string kNoise = "\x80\xfe~#!\x07\r\n";

// A closed other end only ends the conversation (no SIGPIPE).
void writeAll(int fd, bool socket, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const char* at = bytes.data() + done;
        const std::size_t left = bytes.size() - done;
        const ssize_t n = socket ? ::send(fd, at, left, MSG_NOSIGNAL) : ::write(fd, at, left);
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> found;
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

int timeoutCodeFor(int milliseconds) {
    int code = 1;
    for (const double seconds : kTimeoutSeconds) {
        if (seconds * 1000.0 >= milliseconds - 1e-9)
            return code;
        ++code;
    }
    return 17;
}

} // namespace

struct PrologixEmulator::Conversation {
    int fd = -1;
    bool socket = false;
    unsigned short address = 0;
    bool eoi = true;
    bool remote = false;
    std::optional<Clock::time_point> deafUntil;
};

PrologixEmulator::PrologixEmulator(Faults faults) : faults_(faults) {
    ptyMaster_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ptyMaster_ < 0 || ::grantpt(ptyMaster_) != 0 || ::unlockpt(ptyMaster_) != 0)
        throw std::runtime_error("cannot make a pseudo-terminal");
    ptyPath_ = ::ptsname(ptyMaster_);
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    tcpPort_ = ntohs(address.sin_port);
    ptyThread_ = std::thread([this] { servePty(); });
    tcpThread_ = std::thread([this] { serveTcp(); });
}

PrologixEmulator::~PrologixEmulator() {
    stopping_ = true;
    ptyThread_.join();
    tcpThread_.join();
    if (ptyMaster_ >= 0)
        ::close(ptyMaster_);
    ::close(listener_);
}

std::vector<std::string> PrologixEmulator::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

// The master stays open while the port is closed and opened again; a drop closes it for good.
void PrologixEmulator::servePty() {
    while (!stopping_)
        if (!converse(ptyMaster_, false)) {
            ::close(ptyMaster_);
            ptyMaster_ = -1;
            return;
        }
}

void PrologixEmulator::serveTcp() {
    while (!stopping_) {
        pollfd wait{listener_, POLLIN, 0};
        if (::poll(&wait, 1, kPollMs) <= 0)
            continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ++tcpConnections_;
        converse(client, true);
        ::close(client);
    }
}

bool PrologixEmulator::converse(int fd, bool socket) {
    Conversation talk;
    talk.fd = fd;
    talk.socket = socket;
    std::string line;
    bool escaped = false;
    bool plainStart = true; // the line's first two bytes were not escaped
    while (!stopping_) {
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, kPollMs) <= 0)
            continue;
        char chunk[512];
        const ssize_t n = (wait.revents & POLLIN) ? ::read(fd, chunk, sizeof chunk) : 0;
        if (n <= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return true; // the other end closed its side
        }
        if (!talk.deafUntil)
            talk.deafUntil = Clock::now() + faults_.deafFor;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = chunk[i];
            if (escaped) {
                plainStart = plainStart && line.size() >= 2;
                line += c;
                escaped = false;
            } else if (c == kEsc) {
                escaped = true;
            } else if (c == '\r' || c == '\n') {
                if (!line.empty() && !heard(talk, line, plainStart && line.starts_with("++"))) {
                    // Closing a pseudo-terminal drops what its other end has not read yet.
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    return false;
                }
                line.clear();
                plainStart = true;
            } else {
                line += c;
            }
        }
    }
    return true;
}

bool PrologixEmulator::heard(Conversation& talk, const std::string& line, bool command) {
    if (Clock::now() < *talk.deafUntil)
        return true;
    if (command)
        obey(talk, line);
    else
        forwardData(talk, line);
    std::lock_guard lock(mutex_);
    lines_.push_back(command ? line : "DATA:" + line);
    if (faults_.dropAfter == 0 || !lines_.back().starts_with(faults_.dropOn))
        return true;
    return ++droppingLines_ != faults_.dropAfter;
}

int PrologixEmulator::simStatus(const char* which) {
    return sim_.call<int()>(which);
}

void PrologixEmulator::obey(Conversation& talk, const std::string& command) {
    using Address = unsigned short;
    const std::vector<std::string> w = words(command);
    const auto number = [&](std::size_t i) { return i < w.size() ? std::atoi(w[i].c_str()) : 0; };
    const Address list[] = {talk.address, kNoAddr};
    if (w[0] == "++ver") {
        answer(talk, std::string(kVersion) + "\r\n");
    } else if (w[0] == "++addr") {
        talk.address = static_cast<Address>(number(1) | number(2) << 8);
    } else if (w[0] == "++eoi") {
        talk.eoi = number(1) != 0;
    } else if (w[0] == "++read_tmo_ms") {
        sim_.call<int(int, int, int)>("ibconfig", 0, 3, timeoutCodeFor(number(1)));
    } else if (w[0] == "++spoll") {
        const auto polled =
            w.size() > 1 ? static_cast<Address>(number(1) | number(2) << 8) : talk.address;
        short status = 0;
        sim_.call<void(int, Address, short*)>("ReadStatusByte", 0, polled, &status);
        if (simStatus("ThreadIbsta") & kErr)
            return; // nobody answered: the adapter says nothing
        int poll = 0;
        {
            std::lock_guard lock(mutex_);
            poll = ++spolls_;
        }
        if (poll == faults_.lateSpoll)
            std::this_thread::sleep_for(faults_.lateBy);
        answer(talk, std::to_string(status) + "\r\n");
    } else if (w[0] == "++read") {
        const int termination = w.size() > 1 && w[1] != "eoi" ? number(1) : kStopEnd;
        char reply[512];
        sim_.call<void(int, Address, void*, long, int)>("Receive", 0, talk.address, reply,
                                                        sizeof reply, termination);
        if (const int got = simStatus("ThreadIbcnt"); got > 0)
            answer(talk, std::string(reply, static_cast<std::size_t>(got)));
    } else if (w[0] == "++srq") {
        const int status = sim_.call<int(int, int)>("ibwait", 0, 0);
        answer(talk, (status & kSrqi) ? "1\r\n" : "0\r\n");
    } else if (w[0] == "++clr") {
        sim_.call<void(int, Address)>("DevClear", 0, talk.address);
    } else if (w[0] == "++ifc") {
        sim_.call<void(int)>("SendIFC", 0);
    } else if (w[0] == "++loc") {
        sim_.call<void(int, const Address*)>("EnableLocal", 0, list);
        talk.remote = false;
    }
}

// REN is asserted in controller mode: the instrument goes remote when first addressed.
void PrologixEmulator::forwardData(Conversation& talk, const std::string& data) {
    using Address = unsigned short;
    if (!talk.remote) {
        const Address list[] = {talk.address, kNoAddr};
        sim_.call<void(int, const Address*)>("EnableRemote", 0, list);
        talk.remote = true;
    }
    sim_.call<void(int, Address, const void*, long, int)>(
        "Send", 0, talk.address, data.data(), static_cast<long>(data.size()), talk.eoi ? 1 : 0);
}

void PrologixEmulator::answer(Conversation& talk, const std::string& bytes) {
    int count = 0;
    {
        std::lock_guard lock(mutex_);
        count = ++answers_;
    }
    if (count == faults_.garbageAt)
        writeAll(talk.fd, talk.socket, kNoise);
    std::this_thread::sleep_for(faults_.replyDelay);
    writeAll(talk.fd, talk.socket, bytes);
}

} // namespace testsupport
