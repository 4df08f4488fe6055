#pragma once

// An adapter to test against: speaks the Prologix / AR488 command set on a pseudo-terminal and
// on a TCP port of 127.0.0.1, and passes the instrument's part on to the simulated HP 4140B
// (the simulator library, loaded here as the program loads it), in real time. Faults make it
// answer slowly, answer one serial poll late, drop the connection, put noise on the line, or
// hear nothing for a while after its port opens, as an AR488 does while it resets.

#include "support/sim_library.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct EmulatorFaults {
    std::chrono::milliseconds replyDelay{0}; // every answer waits this long
    int lateSpoll = 0;                       // the Nth ++spoll is answered late...
    std::chrono::milliseconds lateBy{0};     // ...by this much
    int dropAfter = 0;                       // the connection goes after this many lines...
    std::string dropOn{};                    // ...that start with this
    int garbageAt = 0;                       // noise on the line before the Nth answer
    std::chrono::milliseconds deafFor{0};    // hears nothing this long after its port opens
};

class PrologixEmulator {
public:
    static constexpr const char* kVersion = "Prologix GPIB-USB Controller version 6.107";

    using Faults = EmulatorFaults;

    explicit PrologixEmulator(Faults faults = {});
    ~PrologixEmulator();
    PrologixEmulator(const PrologixEmulator&) = delete;
    PrologixEmulator& operator=(const PrologixEmulator&) = delete;

    const std::string& ptyPath() const { return ptyPath_; }
    int tcpPort() const { return tcpPort_; }
    // Every line heard and acted on, oldest first: commands as sent, data as "DATA:" and its
    // bytes.
    std::vector<std::string> lines() const;
    // Connections taken over TCP so far.
    int tcpConnections() const { return tcpConnections_; }
    SimLibrary& sim() { return sim_; }

private:
    struct Conversation;

    void servePty();
    void serveTcp();
    // Serves one connection until it ends or the emulator stops; false when it was dropped.
    bool converse(int fd, bool socket);
    bool heard(Conversation& talk, const std::string& line, bool command);
    void obey(Conversation& talk, const std::string& command);
    void forwardData(Conversation& talk, const std::string& data);
    void answer(Conversation& talk, const std::string& bytes);
    int simStatus(const char* which);

    Faults faults_;
    SimLibrary sim_;
    int ptyMaster_ = -1;
    std::string ptyPath_;
    int listener_ = -1;
    int tcpPort_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> tcpConnections_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    int droppingLines_ = 0;
    int answers_ = 0;
    int spolls_ = 0;
    std::thread ptyThread_;
    std::thread tcpThread_;
};

} // namespace testsupport
